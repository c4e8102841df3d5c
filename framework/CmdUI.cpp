#include "framework/CmdUI.h"

#include "framework/CmdTarget.h"

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn;
    if (m_pMenu)
        EnableMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu)
        CheckMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetText(const char* pszText)
{
    if (!m_pMenu)
        return;
    UINT state = GetMenuState(m_pMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    ModifyMenuA(m_pMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, pszText);
}

void CCmdUI::DoUpdate(CCmdTarget* pTarget)
{
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this))
        return;
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND_PROBE, nullptr));
}

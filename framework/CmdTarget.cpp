#include "framework/CmdTarget.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn; ++e) {
            if (e->nMessage != WM_COMMAND || nID < e->nID || nID > e->nLastID)
                continue;
            if (nCode == CN_COMMAND_PROBE) {
                if (e->nCode == 0)
                    return TRUE;
                continue;
            }
            if (e->nCode == nCode) {
                e->pfn(this, MAKEWPARAM(nID, nCode == CN_UPDATE_COMMAND_UI ? 0 : nCode), 0, pExtra);
                return TRUE;
            }
        }
    }
    return FALSE;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn; ++e) {
            if (e->nMessage == nMessage && nMessage != WM_COMMAND)
                return e;
        }
    }
    return nullptr;
}

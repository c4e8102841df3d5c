#pragma once
// CCmdUI: what a command-enable handler sees of one menu item when its menu is
// about to open: enable or grey it, check it, change its text. With no menu it
// only records whether the command is enabled, for accelerators.
#include <windows.h>

#include "framework/String.h"

class CCmdTarget;

class CCmdUI {
public:
    CCmdUI(HMENU hMenu, UINT nIndex, UINT nID) : m_pMenu(hMenu), m_nIndex(nIndex), m_nID(nID) {}

    void Enable(BOOL bOn = TRUE);
    void SetCheck(int nCheck = 1);
    void SetText(const char* pszText);

    // Runs the update handler of m_nID through pTarget's command routing; with
    // no update handler the item is enabled exactly when a command handler exists.
    void DoUpdate(CCmdTarget* pTarget);

    HMENU m_pMenu;
    UINT m_nIndex;
    UINT m_nID;
    // The last Enable given; without a menu (an accelerator's check) only this is kept.
    BOOL m_bEnabled = TRUE;
    // Set by a handler that changed the number of items in the menu (the
    // recent-file list), so the caller can continue after the inserted items.
    int m_nItemsInserted = 0;
};

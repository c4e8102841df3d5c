// The calls that tests answer through the hooks and that have no other home.
#include "framework/UiHooks.h"

void AfxTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, HWND hOwner)
{
    if (AfxGetUiHooks().popupMenu) {
        // The real menu posts its command; so does this, so it arrives at the
        // same point: after tracking ends.
        UINT nID = AfxGetUiHooks().popupMenu(hMenu, hOwner);
        if (nID)
            ::PostMessageA(hOwner, WM_COMMAND, nID, 0);
        return;
    }
    ::TrackPopupMenu(hMenu, nFlags, x, y, 0, hOwner, nullptr);
}

void AfxMessageBeep(UINT nType)
{
    if (AfxGetUiHooks().messageBeep)
        AfxGetUiHooks().messageBeep(nType);
    else
        ::MessageBeep(nType);
}

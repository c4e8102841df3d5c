#pragma once
// The program-wide dialog colours: dialogs and message boxes paint their
// background and static texts in the colours the application set.
#include <windows.h>

// Answers a WM_CTLCOLOR* message for a dialog or message box: sets the colours
// on hDC and returns the brush, or returns null to leave the default (edit
// boxes and list boxes keep theirs).
HBRUSH AfxDialogCtlColor(UINT nMessage, HDC hDC, HBRUSH hBrush, COLORREF crBk, COLORREF crText);

// While alive, message boxes that the calling thread creates are painted in the
// given colours (a CBT hook subclasses each one as it is created).
class CMessageBoxColors {
public:
    CMessageBoxColors(HBRUSH hBrush, COLORREF crBk, COLORREF crText);
    ~CMessageBoxColors();
    CMessageBoxColors(const CMessageBoxColors&) = delete;
    CMessageBoxColors& operator=(const CMessageBoxColors&) = delete;

private:
    HHOOK m_hHook = nullptr;
};

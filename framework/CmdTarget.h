#pragma once
// CCmdTarget: an object that receives commands through a message map.
//
// A message map is a static table per class, chained to its base class's table.
// Each entry names a window message, or a command identifier range with a
// notification code, and a thunk that unpacks the parameters and calls the
// handler of the class that declared the entry.
#include <windows.h>

#include "framework/Object.h"

class CCmdTarget;
class CCmdUI;

typedef LRESULT (*AFX_THUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, void* pExtra);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message, or WM_COMMAND for commands
    UINT nCode;     // command notification code, or CN_UPDATE_COMMAND_UI
    UINT nID;       // first command identifier
    UINT nLastID;   // last command identifier of the range
    AFX_THUNK pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Pseudo notification code: the entry updates a command's user interface.
const UINT CN_UPDATE_COMMAND_UI = 0xFFFFFFFFu;
// Pseudo notification code used to ask whether any handler exists for a command.
const UINT CN_COMMAND_PROBE = 0xFFFFFFFEu;

class CCmdTarget : public CObject {
public:
    // Finds and calls the handler of command nID (notification nCode) in this
    // object's map chain; pExtra is the CCmdUI for CN_UPDATE_COMMAND_UI.
    // Returns TRUE if a handler was found. Overrides add command routing.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra);

    // Finds the entry for a window message in the map chain, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass [[maybe_unused]]; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
        { 0, 0, 0, 0, nullptr } }; \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &map; \
    }

#define AFX_THIS(p) static_cast<ThisClass*>(p)

// Commands and their user-interface updates.
#define ON_COMMAND(id, fn) \
    { WM_COMMAND, 0, (id), (id), [](CCmdTarget* p, WPARAM, LPARAM, void*) -> LRESULT { AFX_THIS(p)->fn(); return 0; } },
#define ON_COMMAND_RANGE(id, idLast, fn) \
    { WM_COMMAND, 0, (id), (idLast), [](CCmdTarget* p, WPARAM w, LPARAM, void*) -> LRESULT { AFX_THIS(p)->fn(LOWORD(w)); return 0; } },
#define ON_UPDATE_COMMAND_UI(id, fn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (id), (id), [](CCmdTarget* p, WPARAM, LPARAM, void* x) -> LRESULT { AFX_THIS(p)->fn(static_cast<CCmdUI*>(x)); return 0; } },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (id), (idLast), [](CCmdTarget* p, WPARAM, LPARAM, void* x) -> LRESULT { AFX_THIS(p)->fn(static_cast<CCmdUI*>(x)); return 0; } },
#define ON_CONTROL(code, id, fn) \
    { WM_COMMAND, (code), (id), (id), [](CCmdTarget* p, WPARAM, LPARAM, void*) -> LRESULT { AFX_THIS(p)->fn(); return 0; } },
// A notification of any control from id to idLast; the handler is told which.
#define ON_CONTROL_RANGE(code, id, idLast, fn) \
    { WM_COMMAND, (code), (id), (idLast), [](CCmdTarget* p, WPARAM w, LPARAM, void*) -> LRESULT { AFX_THIS(p)->fn(LOWORD(w)); return 0; } },

// Window messages, each unpacked for its handler.
#define ON_MESSAGE(msg, fn) \
    { (msg), 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { return AFX_THIS(p)->fn(w, l); } },
#define ON_WM_CREATE() \
    { WM_CREATE, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM l, void*) -> LRESULT { return AFX_THIS(p)->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(l)); } },
#define ON_WM_PAINT() \
    { WM_PAINT, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, void*) -> LRESULT { AFX_THIS(p)->OnPaint(); return 0; } },
#define ON_WM_SIZE() \
    { WM_SIZE, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnSize(static_cast<UINT>(w), LOWORD(l), HIWORD(l)); return 0; } },
#define ON_WM_CLOSE() \
    { WM_CLOSE, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, void*) -> LRESULT { AFX_THIS(p)->OnClose(); return 0; } },
#define ON_WM_DROPFILES() \
    { WM_DROPFILES, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM, void*) -> LRESULT { AFX_THIS(p)->OnDropFiles(reinterpret_cast<HDROP>(w)); return 0; } },
#define ON_WM_SETFOCUS() \
    { WM_SETFOCUS, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM, void*) -> LRESULT { AFX_THIS(p)->OnSetFocus(reinterpret_cast<HWND>(w)); return 0; } },
#define ON_WM_INITMENUPOPUP() \
    { WM_INITMENUPOPUP, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnInitMenuPopup(reinterpret_cast<HMENU>(w), LOWORD(l), HIWORD(l)); return 0; } },

// Mouse, keyboard, focus, scrolling, cursor and capture messages. Points are
// client coordinates, signed (GET_X_LPARAM), as a drag may leave the window.
#define AFX_POINT_OF(l) POINT{ static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)) }
#define ON_WM_LBUTTONDOWN() \
    { WM_LBUTTONDOWN, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnLButtonDown(static_cast<UINT>(w), AFX_POINT_OF(l)); return 0; } },
#define ON_WM_LBUTTONUP() \
    { WM_LBUTTONUP, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnLButtonUp(static_cast<UINT>(w), AFX_POINT_OF(l)); return 0; } },
#define ON_WM_LBUTTONDBLCLK() \
    { WM_LBUTTONDBLCLK, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnLButtonDblClk(static_cast<UINT>(w), AFX_POINT_OF(l)); return 0; } },
#define ON_WM_MOUSEMOVE() \
    { WM_MOUSEMOVE, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnMouseMove(static_cast<UINT>(w), AFX_POINT_OF(l)); return 0; } },
#define ON_WM_KEYDOWN() \
    { WM_KEYDOWN, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnKeyDown(static_cast<UINT>(w), LOWORD(l), HIWORD(l)); return 0; } },
#define ON_WM_CHAR() \
    { WM_CHAR, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnChar(static_cast<UINT>(w), LOWORD(l), HIWORD(l)); return 0; } },
#define ON_WM_GETDLGCODE() \
    { WM_GETDLGCODE, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, void*) -> LRESULT { return AFX_THIS(p)->OnGetDlgCode(); } },
#define ON_WM_KILLFOCUS() \
    { WM_KILLFOCUS, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM, void*) -> LRESULT { AFX_THIS(p)->OnKillFocus(reinterpret_cast<HWND>(w)); return 0; } },
#define ON_WM_HSCROLL() \
    { WM_HSCROLL, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnHScroll(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l)); return 0; } },
#define ON_WM_VSCROLL() \
    { WM_VSCROLL, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnVScroll(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l)); return 0; } },
#define ON_WM_SETCURSOR() \
    { WM_SETCURSOR, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { return AFX_THIS(p)->OnSetCursor(reinterpret_cast<HWND>(w), LOWORD(l), HIWORD(l)); } },
#define ON_WM_CONTEXTMENU() \
    { WM_CONTEXTMENU, 0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnContextMenu(reinterpret_cast<HWND>(w), AFX_POINT_OF(l)); return 0; } },
#define ON_WM_CANCELMODE() \
    { WM_CANCELMODE, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM, void*) -> LRESULT { AFX_THIS(p)->OnCancelMode(); return 0; } },
#define ON_WM_CAPTURECHANGED() \
    { WM_CAPTURECHANGED, 0, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM l, void*) -> LRESULT { AFX_THIS(p)->OnCaptureChanged(reinterpret_cast<HWND>(l)); return 0; } },

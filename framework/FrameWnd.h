#pragma once
// CFrameWnd: the main window. It holds the menu, the accelerators and the one
// view, routes commands (view, document, frame, application), runs the
// command-enable handlers when a menu opens, shows the document's title,
// opens files dropped on it or named by the shell through DDE, and offers the
// help commands.
#include <windows.h>
#include <shellapi.h>

#include "framework/Wnd.h"

class CDocument;
class CView;

class CFrameWnd : public CWnd {
public:
    // Creates the window with menu, accelerators and icon nIDResource, and its
    // view of class pViewClass on pDocument.
    virtual BOOL LoadFrame(UINT nIDResource, CDocument* pDocument, const CRuntimeClass* pViewClass);
    CView* GetActiveView() const { return m_pViewActive; }
    // Caption "title - application title".
    void OnUpdateFrameTitle();
    // Gives the view its initial update and shows the frame.
    void InitialUpdateFrame(BOOL bMakeVisible);

    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Help commands, for a derived frame's message map.
    void OnHelpFinder();
    void OnHelpUsing();
    void OnHelp();

    UINT m_nIDResource = 0;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(HWND hOldWnd);
    void OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu);
    void OnDropFiles(HDROP hDrop);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnDdeInitiate(WPARAM wParam, LPARAM lParam);
    LRESULT OnDdeExecute(WPARAM wParam, LPARAM lParam);
    LRESULT OnDdeTerminate(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;
    CView* m_pViewActive = nullptr;
    CDocument* m_pCreateDocument = nullptr;
    const CRuntimeClass* m_pCreateViewClass = nullptr;

    DECLARE_MESSAGE_MAP()
};

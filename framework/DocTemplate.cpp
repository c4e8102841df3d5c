#include "framework/DocTemplate.h"

#include <string>

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/ShellCalls.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    CloseDocument();
}

CString CSingleDocTemplate::GetDocString(DocStringIndex index) const
{
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0)
            return CString();
        ++start;
    }
    int end = m_strDocStrings.Find('\n', start);
    return end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) const
{
    pDocument->SetTitle(GetDocString(docName));
}

BOOL CSingleDocTemplate::CreateDocumentAndFrame(const char* pszPathName)
{
    m_pOnlyDoc = dynamic_cast<CDocument*>(m_pDocClass->CreateObject());
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (!m_pOnlyDoc || !pFrame) {
        delete pFrame;
        delete m_pOnlyDoc;
        m_pOnlyDoc = nullptr;
        return FALSE;
    }
    m_pOnlyDoc->m_pDocTemplate = this;
    if (pszPathName)
        m_pOnlyDoc->OnPrepareOpen(pszPathName);
    if (!pFrame->LoadFrame(m_nIDResource, m_pOnlyDoc, m_pViewClass)) {
        // The frame has deleted itself (PostNcDestroy).
        delete m_pOnlyDoc;
        m_pOnlyDoc = nullptr;
        return FALSE;
    }
    m_pFrame = pFrame;
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pApp->m_pMainWnd)
        pApp->m_pMainWnd = pFrame;
    return TRUE;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* pszPathName, BOOL bMakeVisible)
{
    bool bCreated = false;
    if (m_pOnlyDoc) {
        if (!m_pOnlyDoc->SaveModified())
            return nullptr;
    } else {
        if (!CreateDocumentAndFrame(pszPathName))
            return nullptr;
        bCreated = true;
    }
    CDocument* pDoc = m_pOnlyDoc;
    if (!pszPathName) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            if (bCreated)
                CloseDocument();
            return nullptr;
        }
    } else {
        BOOL bWasModified = pDoc->IsModified();
        pDoc->SetModifiedFlag(FALSE);
        if (!pDoc->OnOpenDocument(pszPathName)) {
            if (bCreated) {
                CloseDocument();
            } else if (!pDoc->IsModified()) {
                // The file never opened: the document the user had is untouched.
                pDoc->SetModifiedFlag(bWasModified);
            } else {
                // The old contents are gone: leave a new, untitled document.
                SetDefaultTitle(pDoc);
                pDoc->OnNewDocument();
                m_pFrame->InitialUpdateFrame(bMakeVisible);
            }
            return nullptr;
        }
        pDoc->SetPathName(pszPathName);
    }
    m_pFrame->InitialUpdateFrame(bMakeVisible);
    return pDoc;
}

void CSingleDocTemplate::CloseDocument()
{
    CFrameWnd* pFrame = m_pFrame;
    m_pFrame = nullptr;
    if (pFrame)
        pFrame->DestroyWindow();
    delete m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
}

CString CSingleDocTemplate::DefaultFileName(const CString& title) const
{
    std::string name = title.str();
    for (char& ch : name) {
        if (std::string("\\/:*?\"<>|").find(ch) != std::string::npos)
            ch = '_';
    }
    CString ext = GetDocString(filterExt);
    if (!ext.IsEmpty() && name.find('.') == std::string::npos)
        name += ext.str();
    return CString(name);
}

BOOL CSingleDocTemplate::PromptFileName(CString& fileName, BOOL bOpen) const
{
    // Filter: "Name\0*.ext\0All Files (*.*)\0*.*\0\0".
    std::string filter = GetDocString(filterName).str();
    filter += '\0';
    filter += "*" + GetDocString(filterExt).str();
    filter += '\0';
    CString allFiles;
    allFiles.LoadString(AFX_IDS_ALL_FILES);
    filter += allFiles.str();
    filter += '\0';
    filter += "*.*";
    filter += '\0';

    // Converted whole, with its NULs.
    std::wstring wideFilter = AfxWide(filter);
    wchar_t buffer[MAX_PATH] = {};
    lstrcpynW(buffer, AfxWide(fileName).c_str(), MAX_PATH);
    std::wstring ext = AfxWide(GetDocString(filterExt));
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_pFrame ? m_pFrame->m_hWnd : nullptr;
    ofn.lpstrFilter = wideFilter.c_str();
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str() + 1;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    BOOL ok = bOpen ? AfxGetOpenFileName(ofn) : AfxGetSaveFileName(ofn);
    if (ok)
        fileName = AfxUtf8(buffer);
    return ok;
}

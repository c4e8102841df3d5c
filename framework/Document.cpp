#include "framework/Document.h"

#include <algorithm>
#include <new>

#include "framework/DocTemplate.h"
#include "framework/FrameworkIds.h"
#include "framework/View.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(const char* pszTitle)
{
    m_strTitle = pszTitle;
    for (CView* pView : m_views)
        pView->OnDocumentTitleChanged();
}

void CDocument::SetPathName(const char* pszPathName, BOOL bAddToMRU)
{
    m_strPathName = pszPathName;
    int slash = m_strPathName.ReverseFind('\\');
    int colon = m_strPathName.ReverseFind(':');
    SetTitle(m_strPathName.Mid((slash > colon ? slash : colon) + 1));
    if (bAddToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint)
{
    for (CView* pView : m_views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, nullptr);
    }
}

void CDocument::AddView(CView* pView)
{
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    pView->m_pDocument = nullptr;
}

void CDocument::Serialize(CArchive&)
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::BeginWaitUntilPainted()
{
    if (m_bWaitUntilPainted)
        return;
    m_bWaitUntilPainted = true;
    if (CWinApp* pApp = AfxGetApp())
        pApp->BeginWaitCursor();
}

void CDocument::EndWaitUntilPainted()
{
    if (!m_bWaitUntilPainted)
        return;
    m_bWaitUntilPainted = false;
    if (CWinApp* pApp = AfxGetApp())
        pApp->EndWaitCursor();
}

BOOL CDocument::OnOpenDocument(const char* pszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(pszPathName, CFile::modeRead, &error)) {
        ReportSaveLoadException(pszPathName, error, FALSE);
        return FALSE;
    }
    DeleteContents();
    // Marked modified while loading, so a failure tells the caller the old
    // contents are gone.
    SetModifiedFlag(TRUE);
    bool bHeld = true;
    try {
        bHeld = AfxRunUnlessOutOfMemory([&] {
            // An empty file holds nothing to read: it opens as an empty document.
            if (file.GetLength() != 0) {
                CArchive ar(&file, CArchive::load);
                Serialize(ar);
                ar.Close();
            }
        });
    } catch (const CFileException& e) {
        file.Close();
        DeleteContents();
        ReportSaveLoadException(pszPathName, CFileException(e.m_cause, pszPathName), FALSE);
        return FALSE;
    }
    if (!bHeld) {
        file.Close();
        DeleteContents();
        AfxMessageBox(AFX_IDP_OUT_OF_MEMORY, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

namespace {

// A new file of a name no one else uses, in the folder of pszPathName; the
// system creates it empty. Throws CFileException when the folder takes none.
CString CreateTempFileBeside(const char* pszPathName)
{
    CString folder(pszPathName);
    int slash = folder.ReverseFind('\\');
    if (folder.ReverseFind('/') > slash)
        slash = folder.ReverseFind('/');
    folder = slash >= 0 ? folder.Left(slash + 1) : CString(".");
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(AfxWide(folder).c_str(), L"plr", 0, name))
        AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), pszPathName);
    return AfxUtf8(name);
}

// Deletes the file on every way out, unless told it was kept.
class CTempFileGuard {
public:
    explicit CTempFileGuard(const CString& name) : m_strName(name) {}
    ~CTempFileGuard()
    {
        if (!m_bKept)
            DeleteFileW(AfxWide(m_strName).c_str());
    }
    CTempFileGuard(const CTempFileGuard&) = delete;
    CTempFileGuard& operator=(const CTempFileGuard&) = delete;
    void Keep() { m_bKept = true; }

private:
    CString m_strName;
    bool m_bKept = false;
};

}  // namespace

BOOL CDocument::OnSaveDocument(const char* pszPathName)
{
    try {
        if (!AfxRunUnlessOutOfMemory([&] { WriteThroughTempFile(pszPathName); })) {
            AfxMessageBox(AFX_IDP_OUT_OF_MEMORY, MB_OK | MB_ICONSTOP);
            return FALSE;
        }
    } catch (const CFileException& e) {
        ReportSaveLoadException(pszPathName, CFileException(e.m_cause, pszPathName), TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

// The document is written to a new file beside the target, flushed to the
// disk and only then moved over the target, so a failed save never destroys
// the file that was there and leaves nothing behind.
void CDocument::WriteThroughTempFile(const char* pszPathName)
{
    CString tempName = CreateTempFileBeside(pszPathName);
    CTempFileGuard guard(tempName);
    {
        CFile file;
        CFileException error;
        if (!file.Open(tempName, CFile::modeCreate, &error))
            throw error;
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
        file.Flush();
    }
    if (!MoveFileExW(AfxWide(tempName).c_str(), AfxWide(pszPathName).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), pszPathName);
    guard.Keep();
}

void CDocument::ReportSaveLoadException(const char* pszPathName, const CFileException& e, BOOL bSaving)
{
    UINT nID = bSaving ? AFX_IDP_FILE_SAVE_FAILED : AFX_IDP_FILE_GENERIC;
    switch (e.m_cause) {
    case CFileException::fileNotFound:
        nID = AFX_IDP_FILE_NOT_FOUND;
        break;
    case CFileException::badPath:
        nID = AFX_IDP_FILE_BAD_PATH;
        break;
    case CFileException::accessDenied:
        nID = AFX_IDP_FILE_ACCESS_DENIED;
        break;
    case CFileException::sharingViolation:
        nID = AFX_IDP_FILE_SHARING;
        break;
    case CFileException::diskFull:
        nID = AFX_IDP_FILE_DISK_FULL;
        break;
    default:
        break;
    }
    AfxMessageBox(AfxFormatString1(nID, pszPathName), MB_OK | MB_ICONEXCLAMATION);
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    switch (AfxMessageBox(AfxFormatString1(AFX_IDP_ASK_TO_SAVE, m_strTitle), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoSave(m_strPathName);
    default:
        return TRUE;
    }
}

BOOL CDocument::DoSave(const char* pszPathName, BOOL bReplace)
{
    CString newName = pszPathName ? pszPathName : "";
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (newName.IsEmpty() && m_pDocTemplate)
            newName = m_pDocTemplate->DefaultFileName(m_strTitle);
        if (!AfxGetApp()->DoPromptFileName(newName, FALSE))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileSave()
{
    DoSave(m_strPathName);
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

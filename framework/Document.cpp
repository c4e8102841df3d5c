#include "framework/Document.h"

#include <algorithm>
#include <new>

#include "framework/DocTemplate.h"
#include "framework/FrameworkIds.h"
#include "framework/View.h"
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
    try {
        // An empty file holds nothing to read: it opens as an empty document.
        if (file.GetLength() != 0) {
            CArchive ar(&file, CArchive::load);
            Serialize(ar);
            ar.Close();
        }
    } catch (const CFileException& e) {
        file.Close();
        DeleteContents();
        ReportSaveLoadException(pszPathName, CFileException(e.m_cause, pszPathName), FALSE);
        return FALSE;
    } catch (const std::bad_alloc&) {
        file.Close();
        DeleteContents();
        AfxMessageBox(AFX_IDP_OUT_OF_MEMORY, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* pszPathName)
{
    // Written to a new file beside the target and moved over it at the end, so
    // a failed save never destroys the file that was there.
    CString tempName = CString(pszPathName) + ".~tmp";
    CFile file;
    CFileException error;
    if (!file.Open(tempName, CFile::modeCreate, &error)) {
        ReportSaveLoadException(pszPathName, CFileException(error.m_cause, pszPathName), TRUE);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
        file.Close();
        if (!MoveFileExA(tempName, pszPathName, MOVEFILE_REPLACE_EXISTING))
            AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), pszPathName);
    } catch (const CFileException& e) {
        file.Close();
        DeleteFileA(tempName);
        ReportSaveLoadException(pszPathName, CFileException(e.m_cause, pszPathName), TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
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

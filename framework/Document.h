#pragma once
// CDocument: the data behind the views, with its file name, title and
// modified flag, and the steps of New, Open, Save and Save As. Derived classes
// give Serialize, DeleteContents and OnNewDocument.
#include <vector>

#include "framework/Archive.h"
#include "framework/CmdTarget.h"
#include "framework/String.h"

class CSingleDocTemplate;
class CView;

class CDocument : public CCmdTarget {
public:
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* pszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the full path, the title (the file name) and adds it to the recent files.
    virtual void SetPathName(const char* pszPathName, BOOL bAddToMRU = TRUE);

    BOOL IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0);

    void AddView(CView* pView);
    void RemoveView(CView* pView);

    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; on failure the user has been told, and
    // IsModified tells whether the contents were touched (TRUE) or not.
    virtual BOOL OnOpenDocument(const char* pszPathName);
    // The file the template will open once it has made the frame (the
    // program's first file): a document may start reading it meanwhile.
    virtual void OnPrepareOpen(const char*) {}
    virtual BOOL OnSaveDocument(const char* pszPathName);
    virtual void DeleteContents() {}
    // A wait cursor from now until a view of the document has painted: a
    // long load shows it from the end of its questions to the first picture.
    void BeginWaitUntilPainted();
    void EndWaitUntilPainted();
    virtual void Serialize(CArchive& ar);

    // Asks "Save changes to ...?" for a modified document; FALSE means cancelled.
    virtual BOOL SaveModified();
    // Saves to pszPathName, asking for a name when it is empty or null.
    BOOL DoSave(const char* pszPathName, BOOL bReplace = TRUE);
    void ReportSaveLoadException(const char* pszPathName, const CFileException& e, BOOL bSaving);

    void OnFileSave();
    void OnFileSaveAs();

    CSingleDocTemplate* m_pDocTemplate = nullptr;

protected:
    bool m_bWaitUntilPainted = false;
    CDocument() = default;

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;

    DECLARE_MESSAGE_MAP()
private:
    // Writes the document to pszPathName, replacing it only once the whole
    // file is written; throws CFileException, or what running out of memory throws.
    void WriteThroughTempFile(const char* pszPathName);
};

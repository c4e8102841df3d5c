#pragma once
// CSingleDocTemplate: ties the one document, its frame and its view to a
// resource id. It creates them on first use, then reuses the document for
// every New and Open. Its document string (string nIDResource) holds seven
// newline-separated fields.
#include <windows.h>

#include "framework/Object.h"
#include "framework/String.h"

class CDocument;
class CFrameWnd;

class CSingleDocTemplate {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                       const CRuntimeClass* pViewClass);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // A new document with null, else the named file. Returns the document, or
    // null when it failed or the user cancelled (having been told why).
    CDocument* OpenDocumentFile(const char* pszPathName, BOOL bMakeVisible = TRUE);
    // Destroys the frame and deletes the document.
    void CloseDocument();

    CString GetDocString(DocStringIndex index) const;
    void SetDefaultTitle(CDocument* pDocument) const;
    // title, made a valid file name, with the default extension added.
    CString DefaultFileName(const CString& title) const;
    // The common Open or Save As dialog on this template's filter.
    BOOL PromptFileName(CString& fileName, BOOL bOpen) const;

    UINT m_nIDResource;
    CDocument* m_pOnlyDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;

private:
    // Creates the one document and its frame; a document about to open
    // pszPathName (null for none) is told so before the frame is made.
    BOOL CreateDocumentAndFrame(const char* pszPathName);

    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

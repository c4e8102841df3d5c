#pragma once
// CRecentFileList: the most recently opened files, newest first, kept in the
// application's profile and shown in the File menu in place of the first
// recent-file item.
#include <windows.h>

#include <vector>

#include "framework/String.h"

class CCmdUI;

class CRecentFileList {
public:
    CRecentFileList(UINT nStartID, const char* pszSection, const char* pszEntryFormat, UINT nSize);

    int GetSize() const { return static_cast<int>(m_files.size()); }
    const CString& operator[](int nIndex) const { return m_files[nIndex]; }
    // Puts the file first; a file already listed (in any letter case) moves up.
    void Add(const char* pszPathName);
    void Remove(const char* pszPathName);
    void ReadList();
    void WriteList() const;
    // Replaces the placeholder item with one item per file ("&1 name" ...), or
    // shows it greyed with the placeholder text when the list is empty.
    void UpdateMenu(CCmdUI* pCmdUI) const;
    // The menu text of entry nIndex: its number, then the path shortened to fit.
    CString GetMenuText(int nIndex) const;

private:
    CString EntryName(int nIndex) const;

    UINT m_nStartID;
    CString m_strSection;
    CString m_strEntryFormat;
    UINT m_nSize;
    std::vector<CString> m_files;
};

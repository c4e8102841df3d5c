#include "framework/RecentFileList.h"

#include <algorithm>

#include "framework/CmdUI.h"
#include "framework/FrameworkIds.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

namespace {

// Longest path shown whole in the menu; longer ones keep the drive and the file name.
const int kMaxShownPath = 40;

// Characters, not bytes: UTF-8 takes up to four bytes for one.
int CharacterCount(const CString& text)
{
    return static_cast<int>(std::count_if(text.str().begin(), text.str().end(),
                                          [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

CString ShortenPath(const CString& path)
{
    if (CharacterCount(path) <= kMaxShownPath)
        return path;
    int slash = path.ReverseFind('\\');
    CString fileName = path.Mid(slash + 1);
    int root = path.Find('\\');
    if (slash <= root || root < 0)
        return fileName;
    return path.Left(root + 1) + "...\\" + fileName;
}

CString EscapeAmpersands(const CString& text)
{
    CString result;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '&')
            result += '&';
        result += text[i];
    }
    return result;
}

// Names compare as the file system does, ignoring case in every script.
bool SameFileName(const char* a, const char* b)
{
    return lstrcmpiW(AfxWide(a).c_str(), AfxWide(b).c_str()) == 0;
}

}  // namespace

CRecentFileList::CRecentFileList(UINT nStartID, const char* pszSection, const char* pszEntryFormat, UINT nSize)
    : m_nStartID(nStartID), m_strSection(pszSection), m_strEntryFormat(pszEntryFormat), m_nSize(nSize)
{
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString name;
    name.Format(m_strEntryFormat, nIndex + 1);
    return name;
}

void CRecentFileList::Add(const char* pszPathName)
{
    Remove(pszPathName);
    m_files.insert(m_files.begin(), CString(pszPathName));
    if (m_files.size() > m_nSize)
        m_files.resize(m_nSize);
}

void CRecentFileList::Remove(const char* pszPathName)
{
    m_files.erase(std::remove_if(m_files.begin(), m_files.end(),
                                 [&](const CString& f) { return SameFileName(f, pszPathName); }),
                  m_files.end());
}

void CRecentFileList::ReadList()
{
    m_files.clear();
    for (UINT i = 0; i < m_nSize; ++i) {
        CString path = AfxGetApp()->GetProfileString(m_strSection, EntryName(i));
        if (!path.IsEmpty())
            m_files.push_back(path);
    }
}

void CRecentFileList::WriteList() const
{
    for (UINT i = 0; i < m_nSize; ++i) {
        const char* value = i < m_files.size() ? static_cast<const char*>(m_files[i]) : nullptr;
        AfxGetApp()->WriteProfileString(m_strSection, EntryName(i), value);
    }
}

CString CRecentFileList::GetMenuText(int nIndex) const
{
    CString text;
    text.Format("&%d ", nIndex + 1);
    return text + EscapeAmpersands(ShortenPath(m_files[nIndex]));
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) const
{
    HMENU hMenu = pCmdUI->m_pMenu;
    if (!hMenu)
        return pCmdUI->Enable(!m_files.empty());
    for (UINT i = 1; i < m_nSize; ++i)
        DeleteMenu(hMenu, m_nStartID + i, MF_BYCOMMAND);
    if (m_files.empty()) {
        CString placeholder;
        placeholder.LoadString(AFX_IDS_RECENT_FILE);
        ModifyMenuA(hMenu, pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_nStartID, placeholder);
        return;
    }
    ModifyMenuW(hMenu, pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING, m_nStartID, AfxWide(GetMenuText(0)).c_str());
    for (int i = 1; i < GetSize(); ++i)
        InsertMenuW(hMenu, pCmdUI->m_nIndex + i, MF_BYPOSITION | MF_STRING, m_nStartID + i,
                    AfxWide(GetMenuText(i)).c_str());
    pCmdUI->m_nItemsInserted = GetSize() - 1;
}

#include "framework/Archive.h"

#include "framework/LineSplitter.h"

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError)
{
    Close();
    bool create = (nOpenFlags & modeCreate) != 0;
    m_hFile = CreateFileA(pszFileName, create ? GENERIC_WRITE : GENERIC_READ, create ? 0 : FILE_SHARE_READ,
                          nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        if (pError)
            *pError = CFileException(CFileException::CauseFromOsError(GetLastError()), pszFileName);
        return FALSE;
    }
    m_strFileName = pszFileName;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

unsigned long long CFile::GetLength() const
{
    DWORD high = 0;
    DWORD low = GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        AfxThrowFileException(CFileException::generic, m_strFileName);
    return (static_cast<unsigned long long>(high) << 32) | low;
}

unsigned CFile::Read(void* pBuffer, unsigned nCount)
{
    DWORD read = 0;
    if (!ReadFile(m_hFile, pBuffer, nCount, &read, nullptr))
        AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* pBuffer, unsigned nCount)
{
    DWORD written = 0;
    if (!WriteFile(m_hFile, pBuffer, nCount, &written, nullptr))
        AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), m_strFileName);
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, m_strFileName);
}

void CFile::Flush()
{
    if (!FlushFileBuffers(m_hFile))
        AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), m_strFileName);
}

void CArchive::LoadAll()
{
    m_bLoaded = true;
    unsigned long long length = m_pFile->GetLength();
    if (length > 0x7FFFFFFFull)
        AfxThrowFileException(CFileException::generic, m_pFile->GetFilePath());
    m_buffer.resize(static_cast<std::size_t>(length));
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        unsigned n = m_pFile->Read(&m_buffer[done], static_cast<unsigned>(m_buffer.size() - done));
        if (n == 0)
            break;
        done += n;
    }
    m_buffer.resize(done);
}

BOOL CArchive::ReadString(CString& line)
{
    if (!m_bLoaded)
        LoadAll();
    return ReadArchiveLine(m_buffer.data(), m_buffer.size(), m_nReadPos, line.m_str);
}

void CArchive::WriteString(const char* psz)
{
    m_buffer += psz;
}

void CArchive::Write(const void* pBuffer, unsigned nCount)
{
    m_buffer.append(static_cast<const char*>(pBuffer), nCount);
}

void CArchive::Close()
{
    if (IsStoring() && !m_buffer.empty())
        m_pFile->Write(m_buffer.data(), static_cast<unsigned>(m_buffer.size()));
    m_buffer.clear();
}

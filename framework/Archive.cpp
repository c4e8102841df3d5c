#include "framework/Archive.h"

#include "framework/LineSplitter.h"
#include "framework/WideText.h"

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError)
{
    Close();
    bool create = (nOpenFlags & modeCreate) != 0;
    m_hFile = CreateFileW(AfxWide(pszFileName).c_str(), create ? GENERIC_WRITE : GENERIC_READ,
                          create ? 0 : FILE_SHARE_READ, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
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

void CFile::Write(const void* pBuffer, std::size_t nCount)
{
    // WriteFile counts in 32 bits; pieces of 1 GB keep well inside that.
    const std::size_t kPiece = std::size_t(1) << 30;
    const char* p = static_cast<const char*>(pBuffer);
    while (nCount > 0) {
        DWORD piece = static_cast<DWORD>(nCount < kPiece ? nCount : kPiece);
        DWORD written = 0;
        if (!WriteFile(m_hFile, p, piece, &written, nullptr))
            AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), m_strFileName);
        if (written != piece)
            AfxThrowFileException(CFileException::diskFull, m_strFileName);
        p += piece;
        nCount -= piece;
    }
}

void CFile::Flush()
{
    if (!FlushFileBuffers(m_hFile))
        AfxThrowFileException(CFileException::CauseFromOsError(GetLastError()), m_strFileName);
}

void CArchive::ReadMore()
{
    m_buffer.erase(0, m_nReadPos);
    m_nReadPos = 0;
    std::size_t held = m_buffer.size();
    m_buffer.resize(held + kReadSize);
    unsigned n = m_pFile->Read(&m_buffer[held], static_cast<unsigned>(kReadSize));
    m_buffer.resize(held + n);
    m_bAtEnd = n == 0;
    // The last line end in hand: every line before it is whole. A CR needs
    // the character after it, which may be the LF of its line end. What was held
    // before held no line end, so only the new piece is searched.
    m_nLastLineEnd = kNoLineEnd;
    for (std::size_t i = m_buffer.size(); i > held && i > 0; --i) {
        char ch = m_buffer[i - 1];
        if (ch == '\n' || (ch == '\r' && i < m_buffer.size())) {
            m_nLastLineEnd = i - 1;
            break;
        }
    }
    if (m_nLastLineEnd == kNoLineEnd && held > 0 && m_buffer[held - 1] == '\r' && n > 0)
        m_nLastLineEnd = held - 1;
}

BOOL CArchive::ReadString(CString& line)
{
    while (!m_bAtEnd && (m_nLastLineEnd == kNoLineEnd || m_nReadPos > m_nLastLineEnd))
        ReadMore();
    if (ReadArchiveLine(m_buffer.data(), m_buffer.size(), m_nReadPos, line.m_str))
        return TRUE;
    std::string().swap(m_buffer);
    return FALSE;
}

void CArchive::Write(const void* pBuffer, std::size_t nCount)
{
    if (m_buffer.size() + nCount < kWriteSize) {
        m_buffer.append(static_cast<const char*>(pBuffer), nCount);
        return;
    }
    // What was collected goes to the file, the new bytes straight after it.
    m_pFile->Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    m_pFile->Write(pBuffer, nCount);
}

void CArchive::Close()
{
    if (IsStoring() && !m_buffer.empty())
        m_pFile->Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

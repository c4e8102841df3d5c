#pragma once
// CFile and CArchive: a document's file, and the stream its Serialize reads or
// writes. Loading reads the file a piece at a time and hands it out line by
// line, so a large file is never held whole beside its lines; storing
// collects the bytes and writes them a megabyte at a time, the rest when the
// archive is closed, so a document of any size is written without a copy.
#include <windows.h>

#include <string>

#include "framework/Exception.h"
#include "framework/String.h"

class CFile {
public:
    enum OpenFlags { modeRead = 0, modeCreate = 1 };

    CFile() = default;
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens (or with modeCreate, creates and truncates) the file; on failure
    // returns FALSE and fills pError.
    BOOL Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError);
    void Close();
    // Current length in bytes; throws CFileException when it cannot be read.
    unsigned long long GetLength() const;
    // Reads up to nCount bytes; returns the number read.
    unsigned Read(void* pBuffer, unsigned nCount);
    // Writes all bytes, in pieces the system takes, or throws CFileException.
    void Write(const void* pBuffer, std::size_t nCount);
    // Makes what was written reach the disk; throws CFileException on failure.
    void Flush();
    const CString& GetFilePath() const { return m_strFileName; }

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_strFileName;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* pFile, Mode mode) : m_pFile(pFile), m_mode(mode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const { return m_mode == store; }
    BOOL IsLoading() const { return m_mode == load; }
    CFile* GetFile() const { return m_pFile; }

    // Next line of the file (line ends as ReadArchiveLine describes); FALSE at the end.
    BOOL ReadString(CString& line);
    void Write(const void* pBuffer, std::size_t nCount);
    // Writes what was stored to the file; throws CFileException on failure.
    void Close();

private:
    static const std::size_t kReadSize = 1 << 16;
    static const std::size_t kWriteSize = 1 << 20;
    static const std::size_t kNoLineEnd = ~std::size_t(0);
    // Drops the text handed out and reads the next piece of the file.
    void ReadMore();

    CFile* m_pFile;
    Mode m_mode;
    std::string m_buffer;
    std::size_t m_nReadPos = 0;
    std::size_t m_nLastLineEnd = kNoLineEnd;  // of the text in hand
    bool m_bAtEnd = false;
};

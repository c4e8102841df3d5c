#include "framework/Exception.h"

#include <windows.h>

CFileException::Cause CFileException::CauseFromOsError(unsigned long error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
        return badPath;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return accessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    default:
        return generic;
    }
}

void AfxThrowUserException()
{
    throw CUserException();
}

void AfxThrowResourceException()
{
    throw CResourceException();
}

void AfxThrowFileException(CFileException::Cause cause, const CString& fileName)
{
    throw CFileException(cause, fileName);
}

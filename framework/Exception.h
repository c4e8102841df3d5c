#pragma once
// Exceptions the framework throws and catches. A CUserException means the user
// has already been told; a CFileException carries what went wrong with a file.
#include <new>
#include <stdexcept>

#include "framework/String.h"

class CException {
public:
    virtual ~CException() = default;
};

class CUserException : public CException {};

// A window class, font or other system resource could not be made.
class CResourceException : public CException {};

class CFileException : public CException {
public:
    enum Cause { none, generic, fileNotFound, badPath, accessDenied, sharingViolation, diskFull, endOfFile };

    explicit CFileException(Cause cause = generic, const CString& fileName = CString())
        : m_cause(cause), m_strFileName(fileName) {}

    // Maps a Win32 error code to a cause.
    static Cause CauseFromOsError(unsigned long error);

    Cause m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowFileException(CFileException::Cause cause, const CString& fileName = CString());

// Runs f and returns true, or false when it ran out of memory or address
// space: std::bad_alloc, or std::length_error from a string or array asked
// for more than it can ever hold (in the 32-bit build a string holds at most
// 1 GB). Whatever f had made by then is left to its owners to undo.
template <class F>
bool AfxRunUnlessOutOfMemory(F&& f)
{
    try {
        f();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

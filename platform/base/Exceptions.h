// The class library's exception family. Exceptions are thrown as heap pointers
// (`throw new CFileException(...)`, or through the AfxThrow... helpers) and the
// handler that catches one calls Delete() on it when done.
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}

    // Frees an exception that was thrown from the heap; a handler calls it once.
    void Delete();

    // Copies the text of the error, cut and zero-terminated, into `error`;
    // FALSE (and an empty text) when the exception has no text.
    virtual BOOL GetErrorMessage(char* error, UINT maxError, UINT* helpContext = nullptr) const;
    // Shows the text in a message box (the string `messageId` when there is no
    // text) and returns the button that answered it.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0);

protected:
    // The text GetErrorMessage reports; empty when there is none.
    virtual CString ErrorText() const { return CString(); }

    BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CException::CException;

protected:
    CString ErrorText() const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CException::CException;

protected:
    CString ErrorText() const override;
};

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    using CException::CException;

protected:
    CString ErrorText() const override;
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    using CException::CException;

protected:
    CString ErrorText() const override;
};

// Thrown when data exchange has already told the user what is wrong: handlers
// stop the operation without a further message.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    using CException::CException;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
    {
    }

    // The cause that matches an operating-system error number (errno here).
    static int OsErrorToException(LONG osError);
    static void ThrowOsError(LONG osError, const char* fileName = nullptr);
    static void ThrowErrno(int errnoValue, const char* fileName = nullptr) { ThrowOsError(errnoValue, fileName); }

    int m_cause;
    LONG m_lOsError;        // errno of the failure, -1 when there is none
    CString m_strFileName;

protected:
    CString ErrorText() const override;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = none, const char* archiveName = nullptr)
        : m_cause(cause), m_strFileName(archiveName)
    {
    }

    int m_cause;
    CString m_strFileName;

protected:
    CString ErrorText() const override;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, const char* fileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, const char* archiveName = nullptr);

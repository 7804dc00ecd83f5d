// The class library's exceptions and their messages (Exceptions.h): thrown as heap pointers,
// deleted by the handler through Delete().
#include "platform/base/Exceptions.h"

#include "platform/base/MessageBox.h"

#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {
CString NameOrUnnamed(const CString& name) { return name.IsEmpty() ? CString("an unnamed file") : name; }
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(char* error, UINT maxError, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    const CString text = ErrorText();
    if (error && maxError > 0)
        lstrcpyn(error, text, (int)maxError);
    return !text.IsEmpty();
}

int CException::ReportError(UINT type, UINT messageId)
{
    const CString text = ErrorText();
    if (!text.IsEmpty())
        return AfxMessageBox(text, type);
    if (messageId != 0)
        return AfxMessageBox(messageId, type);
    return AfxMessageBox("An unexpected error occurred; no description is available.", type);
}

CString CMemoryException::ErrorText() const { return "Out of memory."; }

CString CNotSupportedException::ErrorText() const { return "This operation is not supported."; }

CString CInvalidArgException::ErrorText() const { return "An invalid argument was given."; }

CString CResourceException::ErrorText() const { return "A required resource was unavailable."; }

int CFileException::OsErrorToException(LONG osError)
{
    switch (osError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EEXIST:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case ENOTEMPTY: return removeCurrentDir;
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    case EIO: return hardIO;
    case EBUSY:
    case ETXTBSY: return sharingViolation;
    case ENOLCK:
    case EDEADLK: return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, const char* fileName)
{
    if (osError != 0)
        AfxThrowFileException(OsErrorToException(osError), osError, fileName);
}

CString CFileException::ErrorText() const
{
    const CString name = NameOrUnnamed(m_strFileName);
    CString text;
    switch (m_cause) {
    case none: return CString();
    case fileNotFound: text.Format("%s was not found.", name.GetString()); break;
    case badPath: text.Format("%s contains an invalid path.", name.GetString()); break;
    case tooManyOpenFiles:
        text.Format("%s could not be opened because too many files are open.", name.GetString());
        break;
    case accessDenied: text.Format("Access to %s was denied.", name.GetString()); break;
    case invalidFile: text.Format("%s is not open.", name.GetString()); break;
    case removeCurrentDir: text.Format("%s could not be removed.", name.GetString()); break;
    case directoryFull: text.Format("The folder of %s is full.", name.GetString()); break;
    case badSeek: text.Format("A position could not be reached in %s.", name.GetString()); break;
    case hardIO: text.Format("A hardware error occurred while accessing %s.", name.GetString()); break;
    case sharingViolation: text.Format("%s is in use.", name.GetString()); break;
    case lockViolation: text.Format("%s is locked.", name.GetString()); break;
    case diskFull: text.Format("The disk is full while writing %s.", name.GetString()); break;
    case endOfFile: text.Format("An attempt was made to access %s past its end.", name.GetString()); break;
    default: text.Format("An error occurred while accessing %s.", name.GetString()); break;
    }
    if (m_lOsError > 0)
        text.AppendFormat(" (%s)", std::strerror((int)m_lOsError));
    return text;
}

CString CArchiveException::ErrorText() const
{
    const CString name = NameOrUnnamed(m_strFileName);
    CString text;
    switch (m_cause) {
    case none: return CString();
    case readOnly: text.Format("Cannot write to %s: it is open for reading.", name.GetString()); break;
    case endOfFile: text.Format("Unexpected end of %s.", name.GetString()); break;
    case writeOnly: text.Format("Cannot read from %s: it is open for writing.", name.GetString()); break;
    case badIndex:
    case badClass:
    case badSchema: text.Format("%s has an unexpected format.", name.GetString()); break;
    default: text.Format("An error occurred while accessing %s.", name.GetString()); break;
    }
    return text;
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }

void AfxThrowFileException(int cause, LONG osError, const char* fileName)
{
    throw new CFileException(cause, osError, fileName);
}

void AfxThrowArchiveException(int cause, const char* archiveName)
{
    throw new CArchiveException(cause, archiveName);
}

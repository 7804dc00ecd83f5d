// CFile, CStdioFile and CFileFind over POSIX descriptors and directories (CFile.h): a failure of an
// open file throws CFileException*, Open reports by its result.
#include "platform/base/CFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
size_t LastSeparator(const CString& path)
{
    const size_t slash = path.str().find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

CString NameOf(const CString& path) { return path.Mid((int)LastSeparator(path)); }

// The name without its extension; a leading dot does not start one.
CString TitleOf(const CString& name)
{
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString AbsolutePath(const char* name)
{
    std::error_code ec;
    const std::filesystem::path abs = std::filesystem::absolute(name, ec);
    if (ec)
        return CString(name);
    return CString(abs.lexically_normal().string());
}

int SeekOrigin(UINT from)
{
    switch (from) {
    case CFile::begin: return SEEK_SET;
    case CFile::current: return SEEK_CUR;
    case CFile::end: return SEEK_END;
    default: AfxThrowInvalidArgException();
    }
}

void FillError(CFileException* error, int err, const char* fileName)
{
    if (!error)
        return;
    error->m_cause = CFileException::OsErrorToException(err);
    error->m_lOsError = err;
    error->m_strFileName = fileName;
}
}

// ---------------------------------------------------------------------------- CFile

CFile::CFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

BOOL CFile::OpenDescriptor(const char* fileName, UINT openFlags, CFileException* error)
{
    if (!fileName)
        fileName = "";
    int flags = O_CLOEXEC;
    switch (openFlags & 3u) {
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
    }
    if (openFlags & modeCreate) {
        flags |= O_CREAT;
        if (!(openFlags & modeNoTruncate))
            flags |= O_TRUNC;
    }
    int fd;
    do
        fd = ::open(fileName, flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        FillError(error, errno, fileName);
        return FALSE;
    }
    // A folder opens for reading here, but it is no file to read.
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        FillError(error, EISDIR, fileName);
        return FALSE;
    }
    m_fd = fd;
    m_path = AbsolutePath(fileName);
    return TRUE;
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (IsOpen())
        Abort();
    return OpenDescriptor(fileName, openFlags, error);
}

void CFile::ThrowErrno(int err) const
{
    // A descriptor that is open but refuses the operation was opened without that access.
    const int cause = (err == EBADF && IsOpen()) ? CFileException::accessDenied : CFileException::OsErrorToException(err);
    AfxThrowFileException(cause, err, m_path);
}

void CFile::CheckOpen() const
{
    if (m_fd < 0)
        AfxThrowFileException(CFileException::invalidFile, -1, m_path);
}

UINT CFile::Read(void* data, UINT count)
{
    CheckOpen();
    if (count == 0)
        return 0;
    if (!data)
        AfxThrowInvalidArgException();
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, static_cast<char*>(data) + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            break;
        done += (size_t)n;
    }
    return (UINT)done;
}

void CFile::Write(const void* data, UINT count)
{
    CheckOpen();
    if (count == 0)
        return;
    if (!data)
        AfxThrowInvalidArgException();
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, static_cast<const char*>(data) + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        done += (size_t)n;
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    CheckOpen();
    const off_t pos = ::lseek(m_fd, (off_t)offset, SeekOrigin(from));
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_path);
    return (ULONGLONG)pos;
}

ULONGLONG CFile::GetLength() const
{
    CheckOpen();
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        ThrowErrno(errno);
    return (ULONGLONG)st.st_size;
}

void CFile::SetLength(ULONGLONG length)
{
    CheckOpen();
    if (length > (ULONGLONG)LLONG_MAX)
        AfxThrowFileException(CFileException::diskFull, EFBIG, m_path);
    if (::ftruncate(m_fd, (off_t)length) != 0)
        ThrowErrno(errno);
}

ULONGLONG CFile::GetPosition() const
{
    CheckOpen();
    const off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_path);
    return (ULONGLONG)pos;
}

void CFile::Flush()
{
    CheckOpen();
    // Pipes and devices cannot be synchronised; that is no failure of the data.
    if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    const CString path = m_path;
    m_path.Empty();
    if (::close(fd) != 0 && errno != EINTR)
        AfxThrowFileException(CFileException::OsErrorToException(errno), errno, path);
}

void CFile::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.Empty();
}

CString CFile::GetFileName() const { return NameOf(m_path); }

CString CFile::GetFileTitle() const { return TitleOf(GetFileName()); }

void CFile::SetFilePath(const char* path) { m_path = path; }

void CFile::Rename(const char* oldName, const char* newName)
{
    if (!oldName || !newName)
        AfxThrowInvalidArgException();
    // Renaming never replaces another file, as on Windows: that file would be lost.
    struct stat st;
    if (::lstat(newName, &st) == 0)
        AfxThrowFileException(CFileException::accessDenied, EEXIST, oldName);
    if (::rename(oldName, newName) != 0)
        CFileException::ThrowOsError(errno, oldName);
}

void CFile::Remove(const char* fileName)
{
    if (!fileName)
        AfxThrowInvalidArgException();
    if (::unlink(fileName) != 0)
        CFileException::ThrowOsError(errno, fileName);
}

// ---------------------------------------------------------------------------- CStdioFile

CStdioFile::CStdioFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_stream)
        std::fclose(m_stream);
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (IsOpen())
        Abort();
    if (!OpenDescriptor(fileName, openFlags, error))
        return FALSE;
    const char* mode = "rb";
    switch (openFlags & 3u) {
    case modeWrite: mode = "wb"; break;
    case modeReadWrite: mode = "r+b"; break;
    default: break;
    }
    m_stream = ::fdopen(m_fd, mode);
    if (!m_stream) {
        const int err = errno;
        ::close(m_fd);
        m_fd = -1;
        m_path.Empty();
        FillError(error, err, fileName);
        return FALSE;
    }
    m_fd = -1;   // the stream owns the descriptor now
    m_lastOp = Op::none;
    m_text = !(openFlags & typeBinary);
    return TRUE;
}

void CStdioFile::CheckStream() const
{
    if (!m_stream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_path);
}

void CStdioFile::ThrowStreamError() const
{
    const int err = errno ? errno : EIO;
    std::clearerr(m_stream);
    AfxThrowFileException(err == EBADF ? CFileException::accessDenied : CFileException::OsErrorToException(err), err, m_path);
}

int CStdioFile::GetChar()
{
    const int c = std::getc(m_stream);
    if (c == '\r' && m_text) {
        const int next = std::getc(m_stream);
        if (next == '\n')
            return '\n';
        if (next != EOF)
            std::ungetc(next, m_stream);
    }
    return c;
}

// A stream must be repositioned between writing and reading (C's rule for update streams).
void CStdioFile::Switch(Op op)
{
    if (m_lastOp != Op::none && m_lastOp != op)
        ::fseeko(m_stream, 0, SEEK_CUR);
    m_lastOp = op;
}

UINT CStdioFile::Read(void* data, UINT count)
{
    CheckStream();
    Switch(Op::read);
    if (count == 0)
        return 0;
    if (!data)
        AfxThrowInvalidArgException();
    errno = 0;
    if (!m_text) {
        const size_t n = std::fread(data, 1, count, m_stream);
        if (n < count && std::ferror(m_stream))
            ThrowStreamError();
        return (UINT)n;
    }
    char* out = static_cast<char*>(data);
    UINT n = 0;
    while (n < count) {
        const int c = GetChar();
        if (c == EOF)
            break;
        out[n++] = (char)c;
    }
    if (std::ferror(m_stream))
        ThrowStreamError();
    return n;
}

void CStdioFile::Write(const void* data, UINT count)
{
    CheckStream();
    Switch(Op::write);
    if (count == 0)
        return;
    if (!data)
        AfxThrowInvalidArgException();
    errno = 0;
    const char* p = static_cast<const char*>(data);
    const char* const stop = p + count;
    while (p < stop) {
        const char* nl = m_text ? static_cast<const char*>(std::memchr(p, '\n', (size_t)(stop - p))) : nullptr;
        const char* segEnd = nl ? nl : stop;
        const size_t len = (size_t)(segEnd - p);
        if (len && std::fwrite(p, 1, len, m_stream) != len)
            ThrowStreamError();
        if (nl && std::fwrite("\r\n", 1, 2, m_stream) != 2)
            ThrowStreamError();
        p = nl ? nl + 1 : stop;
    }
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    CheckStream();
    m_lastOp = Op::none;
    if (::fseeko(m_stream, (off_t)offset, SeekOrigin(from)) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_path);
    return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const
{
    CheckStream();
    std::fflush(m_stream);
    struct stat st;
    if (::fstat(::fileno(m_stream), &st) != 0)
        AfxThrowFileException(CFileException::OsErrorToException(errno), errno, m_path);
    return (ULONGLONG)st.st_size;
}

void CStdioFile::SetLength(ULONGLONG length)
{
    CheckStream();
    if (length > (ULONGLONG)LLONG_MAX)
        AfxThrowFileException(CFileException::diskFull, EFBIG, m_path);
    errno = 0;
    if (std::fflush(m_stream) != 0 || ::ftruncate(::fileno(m_stream), (off_t)length) != 0)
        ThrowStreamError();
}

ULONGLONG CStdioFile::GetPosition() const
{
    CheckStream();
    const off_t pos = ::ftello(m_stream);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_path);
    return (ULONGLONG)pos;
}

void CStdioFile::Flush()
{
    if (!m_stream)
        return;
    errno = 0;
    if (std::fflush(m_stream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    if (!m_stream)
        return;
    FILE* stream = m_stream;
    m_stream = nullptr;
    const CString path = m_path;
    m_path.Empty();
    if (std::fclose(stream) != 0)
        AfxThrowFileException(CFileException::OsErrorToException(errno), errno, path);
}

void CStdioFile::Abort()
{
    if (m_stream)
        std::fclose(m_stream);
    m_stream = nullptr;
    m_path.Empty();
}

BOOL CStdioFile::ReadString(CString& line)
{
    CheckStream();
    Switch(Op::read);
    errno = 0;
    std::string text;
    bool any = false;
    int c;
    while ((c = GetChar()) != EOF) {
        any = true;
        if (c == '\n')
            break;
        text += (char)c;
    }
    if (std::ferror(m_stream))
        ThrowStreamError();
    // A binary file keeps its "\r\n"; the line is the same without it.
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = CString(std::move(text));
    return any;
}

char* CStdioFile::ReadString(char* buffer, UINT maxChars)
{
    CheckStream();
    if (!buffer || maxChars == 0)
        AfxThrowInvalidArgException();
    Switch(Op::read);
    errno = 0;
    UINT n = 0;
    while (n + 1 < maxChars) {
        const int c = GetChar();
        if (c == EOF)
            break;
        buffer[n++] = (char)c;
        if (c == '\n')
            break;
    }
    buffer[n] = '\0';
    if (std::ferror(m_stream))
        ThrowStreamError();
    return n == 0 && maxChars > 1 ? nullptr : buffer;
}

void CStdioFile::WriteString(const char* text)
{
    if (!text)
        AfxThrowInvalidArgException();
    Write(text, (UINT)std::strlen(text));
}

// ---------------------------------------------------------------------------- CFileFind

CFileFind::CFileFind() = default;
CFileFind::~CFileFind() = default;

void CFileFind::Close()
{
    m_matches.clear();
    m_root.Empty();
    m_next = 0;
    m_found = false;
}

BOOL CFileFind::FindFile(const char* pattern, DWORD)
{
    namespace fs = std::filesystem;
    Close();
    const CString full = (pattern && *pattern) ? CString(pattern) : CString("*.*");
    const size_t split = LastSeparator(full);
    CString dir = full.Left((int)split);
    CString name = full.Mid((int)split);
    if (dir.GetLength() > 1)
        dir = dir.Left(dir.GetLength() - 1);   // drop the separator, but keep a lone "/"
    m_root = AbsolutePath(dir.IsEmpty() ? "." : dir.GetString());
    if (m_root.GetLength() > 1 && m_root.str().back() == '/')
        m_root = m_root.Left(m_root.GetLength() - 1);

    std::error_code ec;
    if (name.FindOneOf("*?") < 0) {
        const fs::path path = fs::path(m_root.str()) / name.str();
        const fs::file_status st = fs::status(path, ec);
        if (!ec && fs::exists(st) && !name.IsEmpty()) {
            const bool isDir = fs::is_directory(st);
            m_matches.push_back({name, isDir, isDir ? 0 : (ULONGLONG)fs::file_size(path, ec)});
        }
    } else {
        const std::string glob = name == "*.*" ? std::string("*") : name.str();
        for (fs::directory_iterator it(m_root.str(), ec), endIt; !ec && it != endIt; it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            if (::fnmatch(glob.c_str(), entry.c_str(), 0) != 0)
                continue;
            std::error_code ec2;
            const bool isDir = it->is_directory(ec2);
            m_matches.push_back({CString(entry), isDir, isDir ? 0 : (ULONGLONG)it->file_size(ec2)});
        }
        std::sort(m_matches.begin(), m_matches.end(), [](const Match& a, const Match& b) { return a.name < b.name; });
    }
    return !m_matches.empty();
}

BOOL CFileFind::FindNextFile()
{
    if (m_next >= m_matches.size())
        return FALSE;
    ++m_next;
    m_found = true;
    return m_next < m_matches.size();
}

const CFileFind::Match* CFileFind::Current() const
{
    return m_found && m_next > 0 && m_next <= m_matches.size() ? &m_matches[m_next - 1] : nullptr;
}

CString CFileFind::GetFileName() const
{
    const Match* m = Current();
    return m ? m->name : CString();
}

CString CFileFind::GetFilePath() const
{
    const Match* m = Current();
    if (!m)
        return CString();
    return m_root == "/" ? "/" + m->name : m_root + "/" + m->name;
}

CString CFileFind::GetFileTitle() const { return TitleOf(GetFileName()); }

CString CFileFind::GetRoot() const { return m_root; }

ULONGLONG CFileFind::GetLength() const
{
    const Match* m = Current();
    return m ? m->length : 0;
}

BOOL CFileFind::IsDirectory() const
{
    const Match* m = Current();
    return m && m->directory;
}

BOOL CFileFind::IsDots() const
{
    const Match* m = Current();
    return m && m->directory && (m->name == "." || m->name == "..");
}

// CString's operations (CString.h): UTF-8 bytes, so lengths and indexes count bytes; 16-bit text
// only through the explicit conversions.
#include "platform/base/CString.h"

#include "platform/base/ResourceStrings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {
bool InSet(char c, const char* set) { return c != '\0' && set && std::strchr(set, c) != nullptr; }
}

CString& CString::operator=(const char* s)
{
    m_str = s ? s : "";
    return *this;
}

int CString::Compare(const char* s) const { return std::strcmp(m_str.c_str(), s ? s : ""); }

int CString::CompareNoCase(const char* s) const { return ::strcasecmp(m_str.c_str(), s ? s : ""); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::max(first, 0);
    count = std::max(count, 0);
    if (first >= GetLength())
        return CString();
    return CString(m_str.substr((size_t)first, (size_t)count));
}

CString CString::Left(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(0, (size_t)count));
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(m_str.size() - (size_t)count));
}

CString CString::SpanIncluding(const char* set) const
{
    size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], set))
        ++n;
    return CString(m_str.substr(0, n));
}

CString CString::SpanExcluding(const char* set) const
{
    size_t n = 0;
    while (n < m_str.size() && !InSet(m_str[n], set))
        ++n;
    return CString(m_str.substr(0, n));
}

// Case mapping touches ASCII letters only: bytes of UTF-8 sequences stay intact.
CString& CString::MakeUpper()
{
    for (char& c : m_str)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_str)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

int CString::Replace(char oldc, char newc)
{
    int n = 0;
    for (char& c : m_str)
        if (c == oldc) {
            c = newc;
            ++n;
        }
    return n;
}

int CString::Replace(const char* olds, const char* news)
{
    if (!olds || !*olds)
        return 0;
    const std::string from(olds), to(news ? news : "");
    int n = 0;
    size_t pos = 0;
    while ((pos = m_str.find(from, pos)) != std::string::npos) {
        m_str.replace(pos, from.size(), to);
        pos += to.size();
        ++n;
    }
    return n;
}

int CString::Remove(char c)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), c), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int index, char c)
{
    index = std::clamp(index, 0, GetLength());
    m_str.insert((size_t)index, 1, c);
    return GetLength();
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    if (s)
        m_str.insert((size_t)index, s);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = std::max(index, 0);
    if (count > 0 && index < GetLength())
        m_str.erase((size_t)index, (size_t)count);
    return GetLength();
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && std::isspace((unsigned char)m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(char c)
{
    size_t n = 0;
    while (n < m_str.size() && m_str[n] == c)
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(const char* set)
{
    size_t n = 0;
    while (n < m_str.size() && InSet(m_str[n], set))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_str.empty() && std::isspace((unsigned char)m_str.back()))
        m_str.pop_back();
    return *this;
}

CString& CString::TrimRight(char c)
{
    while (!m_str.empty() && m_str.back() == c)
        m_str.pop_back();
    return *this;
}

CString& CString::TrimRight(const char* set)
{
    while (!m_str.empty() && InSet(m_str.back(), set))
        m_str.pop_back();
    return *this;
}

int CString::Find(char c, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t p = m_str.find(c, (size_t)start);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::Find(const char* s, int start) const
{
    if (!s || start < 0 || start > GetLength())
        return -1;
    const size_t p = m_str.find(s, (size_t)start);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::ReverseFind(char c) const
{
    const size_t p = m_str.rfind(c);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::FindOneOf(const char* set) const
{
    for (size_t i = 0; i < m_str.size(); ++i)
        if (InSet(m_str[i], set))
            return (int)i;
    return -1;
}

CString CString::Tokenize(const char* delims, int& start) const
{
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    size_t p = (size_t)start;
    while (p < m_str.size() && InSet(m_str[p], delims))
        ++p;
    if (p >= m_str.size()) {
        start = -1;
        return CString();
    }
    size_t e = p;
    while (e < m_str.size() && !InSet(m_str[e], delims))
        ++e;
    start = (int)std::min(e + 1, m_str.size() + 1);
    return CString(m_str.substr(p, e - p));
}

void CString::FormatV(const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
        return;
    }
    std::string out((size_t)n + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize((size_t)n);
    m_str = std::move(out);
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    CString tail;
    va_list args;
    va_start(args, fmt);
    tail.FormatV(fmt, args);
    va_end(args);
    m_str += tail.m_str;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) {
        const size_t len = m_str.size();
        m_str.resize((size_t)minLength, '\0');
        // Keep the logical text visible to callers that read before writing.
        std::memset(m_str.data() + len, 0, m_str.size() - len);
    }
    return m_str.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_str.resize(length > 0 ? (size_t)length : 0, '\0');
    return m_str.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = (int)std::strlen(m_str.c_str());
    m_str.resize(std::min((size_t)newLength, m_str.size()));
}

BOOL CString::LoadString(UINT id)
{
    const char* text = FindResourceString(id);
    m_str = text ? text : "";
    return text != nullptr && *text != '\0';
}

std::u16string CString::ToUtf16() const
{
    std::u16string out;
    const auto* s = reinterpret_cast<const unsigned char*>(m_str.data());
    const size_t n = m_str.size();
    for (size_t i = 0; i < n;) {
        uint32_t cp;
        const unsigned char c = s[i];
        size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        // A sequence is taken only when all its continuation bytes are there.
        bool whole = len > 0 && i + len <= n;
        for (size_t k = 1; whole && k < len; ++k)
            whole = (s[i + k] & 0xC0) == 0x80;
        if (!whole) {
            // A stray byte is taken as Latin-1, the way the old ANSI page mostly read.
            cp = c;
            len = 1;
        } else if (len == 1) {
            cp = c;
        } else if (len == 2) {
            cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
        } else if (len == 3) {
            cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
        } else {
            cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) | (s[i + 3] & 0x3Fu);
        }
        // Code points UTF-16 cannot hold (beyond U+10FFFF) and encoded surrogate halves become the
        // replacement character: passed on, they would turn into lone surrogates.
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += (char16_t)(0xD800 + (cp >> 10));
            out += (char16_t)(0xDC00 + (cp & 0x3FF));
        } else {
            out += (char16_t)cp;
        }
        i += len;
    }
    return out;
}

int CString::Utf8FitLength(const char* s, int length, int maxBytes)
{
    if (!s || length <= 0 || maxBytes <= 0)
        return 0;
    if (length <= maxBytes)
        return length;
    // A continuation byte just past the cut means a character straddles it: leave it out whole.
    int end = maxBytes;
    while (end > 0 && ((unsigned char)s[end] & 0xC0) == 0x80)
        --end;
    return end;
}

void CString::CopyToField(char* dst, int size, const char* src)
{
    if (!dst || size <= 0)
        return;
    std::memset(dst, 0, (size_t)size);
    if (!src)
        return;
    const int n = Utf8FitLength(src, (int)std::strlen(src), size - 1);
    std::memcpy(dst, src, (size_t)n);
}

CString CString::FromUtf16(const char16_t* s, int maxUnits)
{
    std::string out;
    if (!s)
        return CString();
    for (int i = 0; (maxUnits < 0 || i < maxUnits) && s[i]; ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && (maxUnits < 0 || i + 1 < maxUnits) && s[i + 1] >= 0xDC00 &&
            s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out += (char)cp;
        } else if (cp < 0x800) {
            out += (char)(0xC0 | (cp >> 6));
            out += (char)(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += (char)(0xE0 | (cp >> 12));
            out += (char)(0x80 | ((cp >> 6) & 0x3F));
            out += (char)(0x80 | (cp & 0x3F));
        } else {
            out += (char)(0xF0 | (cp >> 18));
            out += (char)(0x80 | ((cp >> 12) & 0x3F));
            out += (char)(0x80 | ((cp >> 6) & 0x3F));
            out += (char)(0x80 | (cp & 0x3F));
        }
    }
    return CString(std::move(out));
}

BOOL AfxExtractSubString(CString& result, const char* text, int n, char sep)
{
    result.Empty();
    if (!text || n < 0)
        return FALSE;
    const char* p = text;
    while (n > 0) {
        p = std::strchr(p, sep);
        if (!p)
            return FALSE;
        ++p;
        --n;
    }
    const char* end = std::strchr(p, sep);
    result = end ? CString(p, (int)(end - p)) : CString(p);
    return TRUE;
}

char* lstrcpyn(char* dst, const char* src, int size)
{
    if (size <= 0)
        return dst;
    int i = 0;
    for (; i < size - 1 && src && src[i]; ++i)
        dst[i] = src[i];
    dst[i] = '\0';
    return dst;
}

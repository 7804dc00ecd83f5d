// CString: the class library's 8-bit string. On this platform the 8-bit code page
// is UTF-8, so lengths and indexes count bytes, as they count ANSI characters on
// Windows. Conversions to 16-bit text are explicit (ToUtf16 / FromUtf16).
#pragma once

#include "platform/base/WinTypes.h"

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_str(s ? s : "") {}
    CString(const char* s, int n) : m_str(s ? std::string(s, n > 0 ? (size_t)n : 0) : std::string()) {}
    CString(char c, int repeat = 1) : m_str(repeat > 0 ? (size_t)repeat : 0, c) {}
    CString(const std::string& s) : m_str(s) {}
    CString(std::string&& s) : m_str(std::move(s)) {}
    CString(std::string_view s) : m_str(s) {}
    CString(const unsigned char* s) : CString(reinterpret_cast<const char*>(s)) {}

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const { return m_str[(size_t)i]; }
    void SetAt(int i, char c) { m_str[(size_t)i] = c; }
    char operator[](int i) const { return m_str[(size_t)i]; }
    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // Out of line: GCC 12 inlines std::string's replace into callers that assign
    // literals and then warns falsely about overlapping copies (-Wrestrict).
    CString& operator=(const char* s);
    CString& operator=(char c)
    {
        m_str.assign(1, c);
        return *this;
    }
    CString& operator+=(const CString& s)
    {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const char* s)
    {
        if (s)
            m_str += s;
        return *this;
    }
    CString& operator+=(char c)
    {
        m_str += c;
        return *this;
    }
    void Append(const char* s, int n) { m_str.append(s, n > 0 ? (size_t)n : 0); }
    void AppendChar(char c) { m_str += c; }

    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;
    int Collate(const char* s) const { return Compare(s); }
    int CollateNoCase(const char* s) const { return CompareNoCase(s); }

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(char oldc, char newc);
    int Replace(const char* olds, const char* news);
    int Remove(char c);
    int Insert(int index, char c);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);
    CString& TrimLeft();
    CString& TrimLeft(char c);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char c);
    CString& TrimRight(const char* set);
    CString& Trim() { return TrimRight().TrimLeft(); }
    CString& Trim(char c) { return TrimRight(c).TrimLeft(c); }
    CString& Trim(const char* set) { return TrimRight(set).TrimLeft(set); }

    // Searches return -1 when nothing is found; a start beyond the end finds nothing.
    int Find(char c, int start = 0) const;
    int Find(const char* s, int start = 0) const;
    int ReverseFind(char c) const;
    int FindOneOf(const char* set) const;
    CString Tokenize(const char* delims, int& start) const;

    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    // The buffer holds at least `minLength` bytes plus the terminating zero;
    // ReleaseBuffer(-1) takes the length up to the first zero byte.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
    void Preallocate(int length) { m_str.reserve(length > 0 ? (size_t)length : 0); }

    // The string-table text of `id`; FALSE (and an empty string) when there is none.
    BOOL LoadString(UINT id);

    std::u16string ToUtf16() const;
    static CString FromUtf16(const char16_t* s, int maxUnits = -1);
    // How many of the first `length` bytes of `s` fit in `maxBytes` without cutting a UTF-8
    // character in two: a character that does not fit whole is left out.
    static int Utf8FitLength(const char* s, int length, int maxBytes);
    // Copies `src` into the `size`-byte field `dst`, cut between characters, the rest zero-filled
    // (a face name or another fixed text field of a record).
    static void CopyToField(char* dst, int size, const char* src);

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_str); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }
    friend CString operator+(char a, const CString& b) { return CString(a + b.m_str); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }
    friend bool operator>(const CString& a, const CString& b) { return a.m_str > b.m_str; }
    friend bool operator<=(const CString& a, const CString& b) { return a.m_str <= b.m_str; }
    friend bool operator>=(const CString& a, const CString& b) { return a.m_str >= b.m_str; }

private:
    std::string m_str;
};

typedef CString CStringA;

// The `n`-th (zero-based) field of `text` separated by `sep`; FALSE and an empty
// string when the text has fewer fields.
BOOL AfxExtractSubString(CString& result, const char* text, int n, char sep = '\n');

// Copies at most `size - 1` bytes and always terminates (as lstrcpyn).
char* lstrcpyn(char* dst, const char* src, int size);

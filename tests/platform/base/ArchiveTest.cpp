// Archives: scalars and strings in the Windows sizes and byte order, errors as
// archive exceptions, buffering and collections.
#include "platform/base/Afx.h"
#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
class Archive : public ::testing::Test {
protected:
    // The bytes that `write` stores through an archive with a small buffer.
    std::string Store(const std::function<void(CArchive&)>& write, int bufferSize = 128)
    {
        {
            CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store, bufferSize);
            write(ar);
            ar.Close();
        }
        return TempDir::ReadAll(m_path);
    }
    void Load(const std::string& bytes, const std::function<void(CArchive&)>& read)
    {
        TempDir::WriteAll(m_path, bytes);
        CFile file(m_path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load, 128);
        read(ar);
    }

    TempDir m_dir;
    std::string m_path = m_dir.Path("data.bin");
};

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int v : b)
        s += (char)v;
    return s;
}
}

TEST_F(Archive, ScalarsAreLittleEndianInWindowsSizes)
{
    const std::string bytes = Store([](CArchive& ar) {
        ar << (BYTE)0x12 << (WORD)0x3456 << (LONG)-2 << (DWORD)0x89ABCDEF << (BOOL)TRUE << 1.5f << 2.0 << (SHORT)-1;
    });
    EXPECT_EQ(bytes, Bytes({0x12, 0x56, 0x34, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89, 1, 0, 0, 0, 0x00, 0x00,
                            0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0xFF}));
    Load(bytes, [](CArchive& ar) {
        BYTE b;
        WORD w;
        LONG l;
        DWORD d;
        BOOL f;
        float x;
        double y;
        SHORT s;
        ar >> b >> w >> l >> d >> f >> x >> y >> s;
        EXPECT_EQ(b, 0x12);
        EXPECT_EQ(w, 0x3456);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(d, 0x89ABCDEFu);
        EXPECT_EQ(f, TRUE);
        EXPECT_EQ(x, 1.5f);
        EXPECT_EQ(y, 2.0);
        EXPECT_EQ(s, -1);
    });
}

TEST_F(Archive, StringLengthPrefixes)
{
    struct Case {
        int length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes({0})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        // 0xFFFE in the WORD would read as the UTF-16 marker.
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text;
        for (int i = 0; i < c.length; ++i)
            text += (char)('a' + i % 26);
        const std::string bytes = Store([&](CArchive& ar) { ar << CString(text) << "end"; });
        EXPECT_EQ(bytes, c.prefix + text + Bytes({3}) + "end");
        Load(bytes, [&](CArchive& ar) {
            CString s, tail;
            ar >> s >> tail;
            EXPECT_EQ(s.str(), text);
            EXPECT_STREQ(tail, "end");
        });
    }
}

TEST_F(Archive, ReadsUtf16MarkedStrings)
{
    Load(Bytes({0xFF, 0xFE, 0xFF, 3, 'a', 0, 'b', 0, 0xD8, 0}), [](CArchive& ar) {
        CString s;
        ar >> s;
        EXPECT_STREQ(s, "ab\xC3\x98");
    });
}

TEST_F(Archive, ErrorsThrowArchiveExceptions)
{
    Load(Bytes({1, 2, 3}), [](CArchive& ar) {
        WORD w;
        ar >> w;
        const auto e = Caught<CArchiveException>([&] {
            DWORD d;
            ar >> d;
        });
        ASSERT_TRUE(e);
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        EXPECT_EQ(Caught<CArchiveException>([&] { ar << (BYTE)1; })->m_cause, CArchiveException::readOnly);
    });
    // A corrupt length fails at the end of the data instead of allocating it.
    Load(Bytes({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'x'}), [](CArchive& ar) {
        const auto e = Caught<CArchiveException>([&] {
            CString s;
            ar >> s;
        });
        ASSERT_TRUE(e);
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
    });
    Store([](CArchive& ar) {
        EXPECT_EQ(Caught<CArchiveException>([&] {
                      BYTE b;
                      ar >> b;
                  })->m_cause,
                  CArchiveException::writeOnly);
    });
}

TEST_F(Archive, LoadingGivesUnreadBytesBackToTheFile)
{
    TempDir::WriteAll(m_path, std::string(1000, 'z'));
    CFile file(m_path.c_str(), CFile::modeRead);
    {
        CArchive ar(&file, CArchive::load, 512);
        BYTE b[3];
        EXPECT_EQ(ar.Read(b, 3), 3u);
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 3u);
}

TEST_F(Archive, LargeBlocksPassThroughASmallBuffer)
{
    std::string data;
    for (int i = 0; i < 10000; ++i)
        data += (char)(i * 7);
    EXPECT_EQ(Store([&](CArchive& ar) { ar.Write(data.data(), (UINT)data.size()); }), data);
    Load(data, [&](CArchive& ar) {
        std::string back(10001, '\0');
        EXPECT_EQ(ar.Read(back.data(), 10001), 10000u);
        back.resize(10000);
        EXPECT_EQ(back, data);
    });
}

TEST_F(Archive, CollectionsStoreCountThenElements)
{
    const std::string bytes = Store([](CArchive& ar) {
        CDWordArray numbers;
        numbers.Add(1);
        numbers.Add(0x01020304);
        numbers.Serialize(ar);
        CStringList names;
        names.AddTail("a");
        names.AddTail("bc");
        names.Serialize(ar);
    });
    EXPECT_EQ(bytes, Bytes({2, 0, 1, 0, 0, 0, 4, 3, 2, 1, 2, 0, 1, 'a', 2, 'b', 'c'}));
    Load(bytes, [](CArchive& ar) {
        CDWordArray numbers;
        numbers.Add(99);   // loading replaces what was there
        numbers.Serialize(ar);
        ASSERT_EQ(numbers.GetSize(), 2);
        EXPECT_EQ(numbers[1], 0x01020304u);
        CStringList names;
        names.Serialize(ar);
        ASSERT_EQ(names.GetCount(), 2);
        EXPECT_STREQ(names.GetTail(), "bc");
    });
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0x12345); }), Bytes({0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}));
}

TEST_F(Archive, ElementsWithoutAnArchiveFormRefuseInsteadOfLosingData)
{
    struct Pair {
        double a = 0, b = 0;
    };
    CList<Pair> list;
    list.AddTail(Pair{1, 2});
    bool refused = false;
    Store([&](CArchive& ar) { refused = Caught<CNotSupportedException>([&] { list.Serialize(ar); }).has_value(); });
    EXPECT_TRUE(refused);
}

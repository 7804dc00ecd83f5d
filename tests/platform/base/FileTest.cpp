// Files: reading, writing, seeking, failures with their cause, text-mode line
// ends and finding files by pattern.
#include "platform/base/Afx.h"
#include "platform/testing/ModalRecorder.h"
#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

TEST(File, ReadWriteSeekAndLength)
{
    TempDir dir;
    const std::string path = dir.Path("a.bin");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
    f.Write("0123456789", 10);
    EXPECT_EQ(f.GetLength(), 10u);
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.Seek(-4, CFile::end), 6u);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 4u);
    EXPECT_STREQ(buf, "6789");
    f.SeekToBegin();
    f.Seek(2, CFile::current);
    f.Write("ab", 2);
    f.SetLength(5);
    EXPECT_EQ(f.SeekToEnd(), 5u);
    EXPECT_EQ(f.Read(buf, 8), 0u);
    f.Close();
    EXPECT_EQ(TempDir::ReadAll(path), "01ab4");

    // Without truncation the content stays; with it the file starts empty.
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    f.SeekToEnd();
    f.Write("+", 1);
    f.Close();
    EXPECT_EQ(TempDir::ReadAll(path), "01ab4+");
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST(File, NamesOfThePath)
{
    TempDir dir;
    const std::string path = dir.Path("roads.layer.klz");
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(f.GetFilePath().str(), path);
    EXPECT_STREQ(f.GetFileName(), "roads.layer.klz");
    EXPECT_STREQ(f.GetFileTitle(), "roads.layer");
    f.SetFilePath("C:\\maps\\lakes.klz");
    EXPECT_STREQ(f.GetFileName(), "lakes.klz");
    EXPECT_STREQ(f.GetFileTitle(), "lakes");

    // A relative name is kept as the full path it stands for.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Root());
    CFile rel("./sub.bin", CFile::modeCreate | CFile::modeWrite);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(rel.GetFilePath().str(), dir.Path("sub.bin"));
}

TEST(File, FailuresReportTheirCause)
{
    TempDir dir;
    const std::string missing = dir.Path("missing.bin");
    CFileException error;
    CFile f;
    EXPECT_FALSE(f.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName.str(), missing);
    EXPECT_FALSE(f.Open(dir.Path("no/such/folder.bin").c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);

    // A folder opens for reading on this system, but it is not a file.
    EXPECT_FALSE(f.Open(dir.Root().c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    const auto thrown = Caught<CFileException>([&] { CFile g(missing.c_str(), CFile::modeRead); });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CFileException::fileNotFound);

    const std::string path = dir.Path("w.bin");
    CFile w(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    char c;
    EXPECT_EQ(Caught<CFileException>([&] { w.Read(&c, 1); })->m_cause, CFileException::accessDenied);
    EXPECT_EQ(Caught<CFileException>([&] { w.Seek(-1, CFile::begin); })->m_cause, CFileException::badSeek);
    w.Close();
    EXPECT_EQ(Caught<CFileException>([&] { w.Write("x", 1); })->m_cause, CFileException::invalidFile);
}

TEST(File, RenameAndRemove)
{
    TempDir dir;
    const std::string a = dir.Path("a"), b = dir.Path("b");
    TempDir::WriteAll(a, "A");
    TempDir::WriteAll(b, "B");
    // Renaming onto an existing file would lose it.
    EXPECT_TRUE(Caught<CFileException>([&] { CFile::Rename(a.c_str(), b.c_str()); }));
    EXPECT_EQ(TempDir::ReadAll(b), "B");
    CFile::Remove(b.c_str());
    CFile::Rename(a.c_str(), b.c_str());
    EXPECT_EQ(TempDir::ReadAll(b), "A");
    EXPECT_FALSE(std::filesystem::exists(a));
    EXPECT_EQ(Caught<CFileException>([&] { CFile::Remove(a.c_str()); })->m_cause, CFileException::fileNotFound);
}

TEST(File, ExceptionsDescribeTheFileInTheirBox)
{
    CFileException e(CFileException::fileNotFound, 2, "/data/roads.klz");
    char text[12];
    EXPECT_TRUE(e.GetErrorMessage(text, sizeof text));
    EXPECT_EQ(std::string(text).size(), 11u);   // cut and terminated
    EXPECT_TRUE(e.IsKindOf(RUNTIME_CLASS(CException)));
    ModalRecorder boxes;
    e.ReportError(MB_ICONEXCLAMATION);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.Find("/data/roads.klz"), -1);
    EXPECT_EQ(boxes.Boxes()[0].type, (UINT)MB_ICONEXCLAMATION);
    EXPECT_FALSE(CFileException().GetErrorMessage(text, sizeof text));
}

TEST(StdioFile, TextModeWritesAndReadsWindowsLines)
{
    TempDir dir;
    const std::string path = dir.Path("colours.pcs");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("255\n");
        f.WriteString("\n");
        f.WriteString("65280\nlast");
    }
    EXPECT_EQ(TempDir::ReadAll(path), "255\r\n\r\n65280\r\nlast");

    CStdioFile f(path.c_str(), CFile::modeRead | CFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (f.ReadString(line))
        lines.push_back(line.str());
    EXPECT_EQ(lines, (std::vector<std::string>{"255", "", "65280", "last"}));
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    f.SeekToBegin();
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 6), 6u);
    EXPECT_STREQ(buf, "255\n\n6");
    EXPECT_STREQ(f.ReadString(buf, sizeof buf), "5280\n");
}

TEST(StdioFile, LineEndsOfEveryKind)
{
    TempDir dir;
    const std::string path = dir.Path("log.txt");
    TempDir::WriteAll(path, "$GPGGA,1\r\n$GPRMC,2\nlone\rcr\r\n\r\n");
    for (UINT type : {(UINT)CFile::typeText, (UINT)CFile::typeBinary}) {
        SCOPED_TRACE(type);
        CStdioFile f(path.c_str(), CFile::modeRead | type);
        std::vector<std::string> lines;
        CString line;
        while (f.ReadString(line))
            lines.push_back(line.str());
        EXPECT_EQ(lines, (std::vector<std::string>{"$GPGGA,1", "$GPRMC,2", "lone\rcr", ""}));
    }
    TempDir::WriteAll(path, "");
    CStdioFile empty(path.c_str(), CFile::modeRead);
    CString line = "old";
    EXPECT_FALSE(empty.ReadString(line));
}

TEST(StdioFile, BinaryModeKeepsBytesAndSwitchesBetweenReadAndWrite)
{
    TempDir dir;
    const std::string path = dir.Path("b.bin");
    TempDir::WriteAll(path, "ab\ncd");
    CStdioFile f(path.c_str(), CFile::modeReadWrite | CFile::typeBinary);
    char c;
    EXPECT_EQ(f.Read(&c, 1), 1u);
    f.Write("\n\n", 2);
    EXPECT_EQ(f.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'c');
    EXPECT_EQ(f.GetLength(), 5u);
    f.Close();
    EXPECT_EQ(TempDir::ReadAll(path), "a\n\ncd");
}

TEST(FileFind, MatchesPatternsAndExactNames)
{
    TempDir dir;
    TempDir::WriteAll(dir.Path("one.klz"), "1");
    TempDir::WriteAll(dir.Path("two.klz"), "22");
    TempDir::WriteAll(dir.Path("three.txt"), "");
    std::filesystem::create_directory(dir.Root() / "sub");

    CFileFind find;
    ASSERT_TRUE(find.FindFile((dir.Path("*.klz")).c_str()));
    std::vector<std::string> names;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        names.push_back(find.GetFileName().str());
        EXPECT_EQ(find.GetFilePath().str(), dir.Path(find.GetFileName().str()));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"one.klz", "two.klz"}));
    EXPECT_EQ(find.GetLength(), 2u);

    EXPECT_TRUE(find.FindFile((dir.Path("*.*")).c_str()));
    int count = 0;
    while (find.FindNextFile())
        ++count;
    EXPECT_EQ(count + 1, 4);

    ASSERT_TRUE(find.FindFile(dir.Path("sub").c_str()));
    find.FindNextFile();
    EXPECT_TRUE(find.IsDirectory());
    EXPECT_FALSE(find.IsDots());
    EXPECT_FALSE(find.FindFile(dir.Path("missing.klz").c_str()));
    EXPECT_FALSE(find.FindFile(dir.Path("*.shp").c_str()));
}

// The shell's open of a document: a missing file or folder and a verb the
// desktop does not offer fail with the shell's codes before anything is handed
// over; an existing file reaches the handler with its absolute path and the
// show state; the handler's refusal is the shell's "no program". The program's
// own path names this test program.
#include "platform/frames/Shell.h"
#include "platform/testing/ShellRecorder.h"
#include "platform/wnd/Messages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

INT_PTR Open(const char* verb, const char* file, const char* directory = nullptr, BOOL taken = TRUE,
             std::vector<ShellExecuteRequest>* asked = nullptr)
{
    ShellRecorder shell(taken);
    const auto result = reinterpret_cast<INT_PTR>(ShellExecute(nullptr, verb, file, nullptr, directory, SW_SHOWMINIMIZED));
    if (asked)
        *asked = shell.Requests();
    else
        EXPECT_TRUE(shell.Requests().empty()) << file;
    return result;
}

TEST(ShellExecute, FailuresAreToldByCodeAndNothingReachesTheDesktop)
{
    testsupport::TempFolder folder("kv_shell_");
    std::ofstream(folder.File("manual.pdf").GetString()) << "%PDF";
    struct Case {
        const char* verb;
        CString file;
        INT_PTR code;
    } const cases[] = {
        {"open", folder.File("missing.pdf"), SE_ERR_FNF},
        {"open", folder.File("no folder/manual.pdf"), SE_ERR_PNF},
        {"open", "", SE_ERR_FNF},
        {"print", folder.File("manual.pdf"), SE_ERR_NOASSOC},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Open(c.verb, c.file), c.code) << c.file.GetString();
}

TEST(ShellExecute, AnExistingDocumentIsHandedOverWithItsAbsolutePath)
{
    testsupport::TempFolder folder("kv_shell_");
    std::filesystem::create_directory(folder.Path() + "/Help");
    const CString manual = folder.File("Help/User Manual.pdf");
    std::ofstream(manual.GetString()) << "%PDF";

    std::vector<ShellExecuteRequest> asked;
    EXPECT_GT(Open("Open", "Help/User Manual.pdf", folder.Path().c_str(), TRUE, &asked), 32);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].verb, "open");
    EXPECT_EQ(asked[0].file, manual);
    EXPECT_EQ(asked[0].show, SW_SHOWMINIMIZED);

    // No verb means "open"; a desktop without a program for the file refuses.
    EXPECT_EQ(Open(nullptr, manual, nullptr, FALSE, &asked), SE_ERR_NOASSOC);
    EXPECT_EQ(asked.size(), 1u);
}

TEST(ShellExecute, TheModuleFileNameIsThisProgramCutToTheBuffer)
{
    char path[4096];
    const DWORD length = GetModuleFileName(nullptr, path, sizeof path);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::filesystem::path(path).filename(), "test_platform_frames");
    EXPECT_TRUE(std::filesystem::path(path).is_absolute());

    char shortBuffer[5];
    EXPECT_EQ(GetModuleFileName(nullptr, shortBuffer, sizeof shortBuffer), 4u);
    EXPECT_EQ(std::string(shortBuffer), std::string(path, 4));
}

} // namespace

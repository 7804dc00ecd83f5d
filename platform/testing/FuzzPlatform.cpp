// Start-up of the fuzz targets (FuzzPlatform.h): one offscreen application for the whole process,
// and a scratch folder the loaders' files go to.
#include "platform/testing/FuzzPlatform.h"

#include <QApplication>

#include "platform/base/MessageBox.h"
#include "platform/gdi/FontDatabase.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {
// Lives as long as the process: destroying it in an exit handler would run after Qt's own statics
// are gone.
QApplication* g_app = nullptr;
std::string g_scratch;

void RemoveScratch()
{
    std::error_code error;
    std::filesystem::remove_all(g_scratch, error);
}
}

const std::string& FuzzScratchFolder()
{
    if (g_scratch.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kv-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("fuzz scratch folder");
            std::abort();
        }
        g_scratch = pattern;
        std::atexit(RemoveScratch);
    }
    return g_scratch;
}

void StartFuzzPlatform()
{
    if (g_app)
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", FuzzScratchFolder().c_str(), 1);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    g_app = new QApplication(argc, argv);
    AfxInitFonts();
    std::setlocale(LC_NUMERIC, "C");
    AfxSetMessageBoxHandler([](const MessageBoxRequest& r) { return AfxMessageBoxDefaultAnswer(r.type); });
}

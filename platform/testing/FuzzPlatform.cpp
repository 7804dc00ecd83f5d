// Start-up of the fuzz targets (FuzzPlatform.h): one offscreen application for the whole process,
// and a scratch folder the loaders' files go to.
#include "platform/testing/FuzzPlatform.h"

#include <QApplication>
#include <QTemporaryDir>

#include "platform/base/MessageBox.h"
#include "platform/gdi/FontDatabase.h"

#include <clocale>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<QTemporaryDir> g_scratch;
std::unique_ptr<QApplication> g_app;
}

const std::string& FuzzScratchFolder()
{
    static std::string path;
    if (!g_scratch) {
        g_scratch = std::make_unique<QTemporaryDir>();
        path = g_scratch->path().toStdString();
    }
    return path;
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
    g_app = std::make_unique<QApplication>(argc, argv);
    AfxInitFonts();
    std::setlocale(LC_NUMERIC, "C");
    AfxSetMessageBoxHandler([](const MessageBoxRequest& r) { return AfxMessageBoxDefaultAnswer(r.type); });
}

// The main of every test executable: the platform runs offscreen, with a profile
// folder of its own, and numbers formatted in the C locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "platform/gdi/FontDatabase.h"
#include "platform/base/MessageBox.h"

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir profileDir;
    setenv("XDG_CONFIG_HOME", profileDir.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    AfxInitFonts();
    std::setlocale(LC_NUMERIC, "C");
    // A box no test answers would wait offscreen for ever: it fails the test
    // instead and takes the box's default button.
    AfxSetMessageBoxHandler([](const MessageBoxRequest& r) {
        ADD_FAILURE() << "unanswered message box: \"" << r.text.GetString() << "\"";
        return AfxMessageBoxDefaultAnswer(r.type);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

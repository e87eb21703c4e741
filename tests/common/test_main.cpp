// Every test program starts here: headless Qt, the program's fonts, settings
// in a temporary folder,
// and message boxes answered by the test seam (default button) unless a test
// installs its own answerer.
#include "platform/fonts.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settingsDir.path());
    QApplication app(argc, argv);
    // Tests measure what the program draws: its own fonts.
    if (!fonts::install())
        return 1;
    msgbox::setAnswerer(msgbox::answerDefault);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

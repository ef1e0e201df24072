// The desktop tests run in one QApplication on Qt's offscreen platform unless a display is
// asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "platform/qt/application.hpp"

int main(int argc, char** argv) {
    // A screen of 1920 by 1080, as the windows are placed on a real one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" QALIX_TEST_SCREENS "/screen_1920x1080.json");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // What the program keeps between runs (the recent design files) goes to a folder of the
    // tests', never the user's.
    QStandardPaths::setTestModeEnabled(true);
    qalix::qt::initialiseApplication();
    return RUN_ALL_TESTS();
}

// GoogleTest entry for widget tests: one QApplication for the whole binary, offscreen unless the
// caller chose a platform, and a private data folder for every test.
#include "testsupport/temp_data_folder.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Talvero 6.0"));
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::giveEveryTestItsOwnDataFolder();
    return RUN_ALL_TESTS();
}

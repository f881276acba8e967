#pragma once
// A private data folder: TALVERO_HOME points at a new temporary folder while one lives and is
// put back afterwards, so no test sees another's files or the user's own.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testsupport {

class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    // The folder TALVERO_HOME names (it exists, empty at first).
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_;
};

// A fixture for tests that read or write the data folder.
class DataFolderTest : public ::testing::Test {
protected:
    TempDataFolder dataFolder;
};

// Gives every test of the binary its own TempDataFolder; the widget test main installs it.
void giveEveryTestItsOwnDataFolder();

} // namespace testsupport

#pragma once
// A private data folder: TALVERO_HOME points at a new temporary folder while one lives and is
// put back afterwards, so no test sees another's files or the user's own. The folder itself is
// created by the first command that needs it, as on a first start.

#include "db/testsupport/tempdatafolder.h"

#include <gtest/gtest.h>

namespace testsupport {

using TempDataFolder = db::testing::TempDataFolder;

// A fixture for tests that read or write the data folder.
class DataFolderTest : public ::testing::Test {
protected:
    TempDataFolder dataFolder;
};

// Gives every test of the binary its own TempDataFolder; the widget test main installs it.
void giveEveryTestItsOwnDataFolder();

} // namespace testsupport

#include "testsupport/temp_data_folder.h"

#include <memory>

namespace testsupport {

TempDataFolder::TempDataFolder()
    : previous_(qgetenv("TALVERO_HOME")), hadPrevious_(qEnvironmentVariableIsSet("TALVERO_HOME")) {
    if (!dir_.isValid()) ADD_FAILURE() << "no temporary data folder: " << dir_.errorString().toStdString();
    qputenv("TALVERO_HOME", dir_.path().toLocal8Bit());
}

TempDataFolder::~TempDataFolder() {
    if (hadPrevious_)
        qputenv("TALVERO_HOME", previous_);
    else
        qunsetenv("TALVERO_HOME");
}

namespace {
class PerTestDataFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { folder_ = std::make_unique<TempDataFolder>(); }
    void OnTestEnd(const ::testing::TestInfo&) override { folder_.reset(); }
    std::unique_ptr<TempDataFolder> folder_;
};
} // namespace

void giveEveryTestItsOwnDataFolder() {
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestDataFolder);
}

} // namespace testsupport

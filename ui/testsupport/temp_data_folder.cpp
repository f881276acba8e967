#include "testsupport/temp_data_folder.h"

#include <memory>

namespace testsupport {

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

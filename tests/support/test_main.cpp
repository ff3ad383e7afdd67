// Entry point of the test program. Every test starts from the program's
// start-up state and in the folder the program was started from, so that
// the tests pass alike when ctest runs each in its own process and when the
// whole suite runs in one.
#include <gtest/gtest.h>

#include <filesystem>

#include "console/driver/program_state.h"
#include "support/failing_allocation.h"

namespace {

class FreshProgramState : public testing::EmptyTestEventListener {
public:
    FreshProgramState() : startFolder_(std::filesystem::current_path()) {}

    void OnTestStart(const testing::TestInfo&) override
    {
        std::filesystem::current_path(startFolder_);
        resetProgramState();
        stopFailingAllocations();
    }

private:
    std::filesystem::path startFolder_;
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramState);
    return RUN_ALL_TESTS();
}

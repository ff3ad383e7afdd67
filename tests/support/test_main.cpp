// Entry point of the test program. Every test starts in the folder the
// program was started from, with every allocation allowed, so that the
// tests pass alike when ctest runs each in its own process and when the
// whole suite runs in one.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/failing_allocation.h"

namespace {

class FreshStart : public testing::EmptyTestEventListener {
public:
    FreshStart() : startFolder_(std::filesystem::current_path()) {}

    void OnTestStart(const testing::TestInfo&) override
    {
        std::filesystem::current_path(startFolder_);
        stopFailingAllocations();
    }

private:
    std::filesystem::path startFolder_;
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
    return RUN_ALL_TESTS();
}

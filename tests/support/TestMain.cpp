#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

namespace {

class HomeEnvironment : public ::testing::Environment
{
public:
    void TearDown() override
    {
        boost::system::error_code ignored;
        boost::filesystem::remove_all(OrvaneTest::testHome(), ignored);
    }
};

} // namespace

// Every test program runs in a home of its own, removed at the end.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OrvaneTest::testHome();
    ::testing::AddGlobalTestEnvironment(new HomeEnvironment);
    return RUN_ALL_TESTS();
}

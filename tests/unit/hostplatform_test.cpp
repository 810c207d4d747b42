#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Base/hostplatform.h"

TEST(HostPlatform, LittleEndianValuesPassThroughOnThisHost)
{
    setHostEndian();
    EXPECT_FALSE(hostBigEndian);
    EXPECT_EQ(endianLEtoHs(0x0201), 0x0201);
}

TEST(HostPlatform, BigEndianHostsSwapTheTwoBytes)
{
    hostBigEndian = true;
    EXPECT_EQ(endianLEtoHs(0x0201), 0x0102);
    EXPECT_EQ(endianLEtoHs(static_cast<short>(0x80FF)), static_cast<short>(0xFF80));
    setHostEndian();
}

class ResourceDirectory : public ::testing::Test
{
protected:
    std::string root;
    std::string startDir;

    void SetUp() override
    {
        char pattern[] = "/tmp/morvellant-res-XXXXXX";
        root = mkdtemp(pattern);
        char here[4096];
        startDir = getcwd(here, sizeof(here));
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir(startDir.c_str()), 0);
        const std::string command = "rm -rf " + root;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    void makeDirs(const std::string& relative)
    {
        const std::string command = "mkdir -p " + root + "/" + relative;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string cwd()
    {
        char here[4096];
        return getcwd(here, sizeof(here));
    }
};

TEST_F(ResourceDirectory, PrefersTheExecutablesOwnDirectory)
{
    makeDirs("bin/Content");
    makeDirs("share/morvellant/Content");
    EXPECT_EQ(enterResourceDirectory(root + "/bin"), 0);
    EXPECT_EQ(cwd(), root + "/bin");
}

TEST_F(ResourceDirectory, FallsBackToTheInstalledLayout)
{
    makeDirs("bin");
    makeDirs("share/morvellant/Content");
    EXPECT_EQ(enterResourceDirectory(root + "/bin"), 0);
    EXPECT_EQ(cwd(), root + "/share/morvellant");
}

TEST_F(ResourceDirectory, StaysPutWhenNothingHoldsContent)
{
    makeDirs("bin");
    EXPECT_EQ(enterResourceDirectory(root + "/bin"), 1);
    EXPECT_EQ(enterResourceDirectory(""), 1);
    EXPECT_EQ(cwd(), startDir);
}

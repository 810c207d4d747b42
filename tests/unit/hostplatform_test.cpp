#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "Base/hostplatform.h"

TEST(HostPlatform, OnlyBigEndianHostsSwapTheTwoBytes)
{
    setHostEndian();
    EXPECT_FALSE(hostBigEndian);
    EXPECT_EQ(endianLEtoHs(0x0201), 0x0201);
    hostBigEndian = true;
    EXPECT_EQ(endianLEtoHs(0x0201), 0x0102);
    EXPECT_EQ(endianLEtoHs(static_cast<short>(0x80FF)), static_cast<short>(0xFF80));
}

static std::string cwd()
{
    char here[4096];
    return getcwd(here, sizeof(here));
}

// The executable's own directory, else the installed layout beside it, else
// the program stays where it was started.
TEST(HostPlatform, ResourceDirectoryIsTheFirstThatHoldsContent)
{
    char pattern[] = "/tmp/morvellant-res-XXXXXX";
    const std::string root = mkdtemp(pattern), start = cwd();
    struct Case { std::string dirs; int result; std::string entered; };
    const Case cases[] = {
        { "bin/Content share/morvellant/Content", 0, "/bin" },
        { "bin share/morvellant/Content", 0, "/share/morvellant" },
        { "bin", 1, "" },
    };
    for (const Case& c : cases) {
        const std::string dir = root + "/" + std::to_string(&c - cases);
        ASSERT_EQ(std::system(("mkdir " + dir + " && cd " + dir + " && mkdir -p " + c.dirs).c_str()), 0);
        EXPECT_EQ(enterResourceDirectory(dir + "/bin"), c.result) << c.dirs;
        EXPECT_EQ(cwd(), c.entered.empty() ? start : dir + c.entered) << c.dirs;
        ASSERT_EQ(chdir(start.c_str()), 0);
    }
    EXPECT_EQ(enterResourceDirectory(""), 1);
    EXPECT_EQ(std::system(("rm -rf " + root).c_str()), 0);
}

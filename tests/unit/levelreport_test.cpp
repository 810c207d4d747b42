#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "Game/levelreport.h"
#include "Game/trokmap.h"

// Writes a level into a temporary file and reports on it.
static LevelReport reportOn(const std::string& rows, int width, int height)
{
    char name[] = "/tmp/morvellant-level-XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    std::ofstream(name) << "!MorvellantMapFile\n" << width << " " << height << "\n" << rows;
    testing::internal::CaptureStdout();
    const TrokMap map{ std::string(name) };
    testing::internal::GetCapturedStdout();
    std::remove(name);
    return LevelReport(map);
}

TEST(LevelReport, CountsWhatTheLevelPlaces)
{
    const LevelReport report = reportOn("#3..b#\n.W.C..\n.@..P.\n#a..W#\n", 6, 4);
    EXPECT_TRUE(report.playable());
    EXPECT_EQ(report.width, 6);
    EXPECT_EQ(report.activists, 1);
    EXPECT_EQ(report.citizens, 1);
    EXPECT_EQ(report.police, 1);
    EXPECT_EQ(report.waypoints, 2);
    EXPECT_EQ(report.buildings, 5);
    EXPECT_EQ(report.roofs, 2);
    std::ostringstream out;
    report.print(out);
    EXPECT_EQ(out.str(), "size 6 x 4: 1 activist, 1 citizens, 1 police, 2 waypoints, 5 blocks, 2 roof blocks\n"
                         "playable\n");
}

TEST(LevelReport, FindsLevelsThatCannotBePlayed)
{
    EXPECT_FALSE(reportOn("..C..\n", 5, 1).playable());           // no activist
    EXPECT_FALSE(reportOn("..@..\n", 5, 1).playable());           // nobody to win over
    EXPECT_FALSE(reportOn("@CCPP\n", 5, 1).playable());           // police at half: first conversion loses
    EXPECT_TRUE(reportOn("@C...\n", 5, 1).playable());            // half is 0: the first conversion wins
    EXPECT_TRUE(reportOn("@CCP.\n", 5, 1).playable());            // one ally is half: win comes first
    const LevelReport broken = reportOn("@C\n", 5, 1);            // short row: the load fails
    EXPECT_FALSE(broken.loaded);
    EXPECT_FALSE(broken.playable());
}

TEST(LevelReport, WarnsAboutLikelyMistakes)
{
    EXPECT_EQ(reportOn("@C@CCP\n", 6, 1).warnings.size(), 2u);    // two activists, police without waypoints
    EXPECT_EQ(reportOn("@CCCPW\n", 6, 1).warnings.size(), 1u);    // one waypoint cannot make a patrol
    EXPECT_TRUE(reportOn("@CCCPWW\n", 7, 1).warnings.empty());
}

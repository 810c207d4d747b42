#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Game/levelreport.h"
#include "Game/trokmap.h"

// Writes a level into a temporary file and reports on it.
static LevelReport reportOn(const std::string& rows, int width, int height = 1)
{
    char name[] = "/tmp/morvellant-level-XXXXXX";
    EXPECT_GE(mkstemp(name), 0);
    std::ofstream(name) << "!MorvellantMapFile\n" << width << " " << height << "\n" << rows;
    testing::internal::CaptureStdout();
    const TrokMap map{ std::string(name) };
    testing::internal::GetCapturedStdout();
    std::remove(name);
    return LevelReport(map);
}

TEST(LevelReport, CountsWhatTheLevelPlacesAndWarns)
{
    std::ostringstream out;
    reportOn("#3..b#\n.W.C..\n.@..P.\n#a..W#\n", 6, 4).print(out);
    EXPECT_EQ(out.str(), "size 6 x 4: 1 activist, 1 citizens, 1 police, 2 waypoints, 5 blocks, 2 roof blocks\n"
                         "playable\n");
    EXPECT_EQ(reportOn("@C@CCP\n", 6).warnings.size(), 2u);  // two activists, police without waypoints
    EXPECT_EQ(reportOn("@CCCPW\n", 6).warnings.size(), 1u);  // one waypoint cannot make a patrol
    EXPECT_TRUE(reportOn("@CCCPWW\n", 7).warnings.empty());
}

TEST(LevelReport, FindsLevelsThatCannotBePlayed)
{
    const std::pair<const char*, bool> cases[] = {
        { "..C..\n", false },  // no activist
        { "..@..\n", false },  // nobody to win over
        { "@CCPP\n", false },  // police at half: the first conversion loses
        { "@C...\n", true },   // half is 0: the first conversion wins
        { "@CCP.\n", true },   // one ally is half: the win comes first
        { "@C\n", false },     // short row: the load fails
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportOn(c.first, 5).playable(), c.second) << c.first;
    }
    EXPECT_FALSE(reportOn("@C\n", 5).loaded);
}

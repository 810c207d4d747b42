#include <gtest/gtest.h>

#include <sstream>

#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "support/gameharness.h"

// Writes the level where a game would read it and reports on it.
static LevelReport reportOn(const std::vector<std::string>& rows)
{
    writeLevel(rows);
    testing::internal::CaptureStdout();
    const TrokMap map{ std::string("Content/city1.troklevel") };
    testing::internal::GetCapturedStdout();
    return LevelReport(map);
}

TEST(LevelReport, CountsWhatTheLevelPlacesAndWarns)
{
    enterTemporaryDirectory();
    std::ostringstream out;
    reportOn({ "#3..b#", ".W.C..", ".@..P.", "#a..W#" }).print(out);
    EXPECT_EQ(out.str(), "size 6 x 4: 1 activist, 1 citizens, 1 police, 2 waypoints, 5 blocks, 2 roof blocks\n"
                         "playable\n");
    EXPECT_EQ(reportOn({ "@C@CCP" }).warnings.size(), 2u);  // two activists, police without waypoints
    EXPECT_EQ(reportOn({ "@CCCPW" }).warnings.size(), 1u);  // one waypoint cannot make a patrol
    EXPECT_TRUE(reportOn({ "@CCCPWW" }).warnings.empty());
}

TEST(LevelReport, FindsLevelsThatCannotBePlayed)
{
    enterTemporaryDirectory();
    const std::pair<std::vector<std::string>, bool> cases[] = {
        { { "..C.." }, false },  // no activist
        { { "..@.." }, false },  // nobody to win over
        { { "@CCPP" }, false },  // police at half: the first conversion loses
        { { "@C..." }, true },   // half is 0: the first conversion wins
        { { "@CCP." }, true },   // one ally is half: the win comes first
        { { "@C...", "@C" }, false },  // short row: the load fails
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportOn(c.first).playable(), c.second) << c.first[0];
    }
    EXPECT_FALSE(reportOn({ "@C...", "@C" }).loaded);
}

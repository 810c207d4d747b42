#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Game/trokmap.h"

namespace
{

const std::string kMagic = "!MorvellantMapFile\n";
const std::string kExample = kMagic + "6 4\n#3..b#\n.W.C..\n.@..P.\n#a..W#\n";

}

class TrokMapTest : public ::testing::Test
{
protected:
    std::string dir;
    std::unique_ptr<TrokMap> map;

    void SetUp() override
    {
        char pattern[] = "/tmp/morvellant-map-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        const std::string command = "rm -rf " + dir;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string write(const std::string& content)
    {
        const std::string path = dir + "/level.troklevel";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    // Loads the content as a level file and returns what the load printed.
    std::string load(const std::string& content)
    {
        const std::string path = write(content);
        testing::internal::CaptureStdout();
        map.reset(new TrokMap(path));
        return testing::internal::GetCapturedStdout();
    }
    std::string row(const TrokMap& m, int i)
    {
        std::string cells;
        for (int j = 0; j < m.getWidth(); ++j) {
            cells += m.get(i, j);
        }
        return cells;
    }
};

TEST_F(TrokMapTest, ExampleLoadsAndCopiesIndependently)
{
    EXPECT_EQ(load(kExample), "Map size: 6,4\n");
    ASSERT_TRUE(map->valid);
    ASSERT_EQ(map->getWidth(), 6);
    ASSERT_EQ(map->getHeight(), 4);
    const std::vector<std::string> rows = { "#3..b#", ".W.C..", ".@..P.", "#a..W#" };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(row(*map, i), rows[i]);
    }
    EXPECT_EQ(map->get(2, 1), '@');
    EXPECT_EQ(map->get(2, 4), 'P');

    TrokMap copy(*map);
    map.reset();
    EXPECT_TRUE(copy.valid);
    EXPECT_EQ(copy.getWidth(), 6);
    EXPECT_EQ(row(copy, 3), "#a..W#");
}

TEST_F(TrokMapTest, SizeAndRowsAreReadLeniently)
{
    // Signed numbers on separate lines, junk after the height, long rows and
    // lines beyond the last row.
    EXPECT_EQ(load(kMagic + "+3\n2 rest of line\n.@.EXTRA\nCPW\nnot a row"), "Map size: 3,2\n");
    EXPECT_TRUE(map->valid);
    EXPECT_EQ(row(*map, 0), ".@.");
    EXPECT_EQ(row(*map, 1), "CPW");
    EXPECT_EQ(load(kMagic + std::to_string(TrokMap::maxSide) + " 1\n"
                   + std::string(TrokMap::maxSide, '.') + "\n"),
              "Map size: 4096,1\n");
    EXPECT_TRUE(map->valid);
}

TEST_F(TrokMapTest, UnacceptedCellsBecomeStarsOneMessageEach)
{
    EXPECT_EQ(load(kMagic + "3 1\n. @\n"), "Map size: 3,1\nShould not get here\n");
    EXPECT_TRUE(map->valid);
    EXPECT_EQ(row(*map, 0), ".*@");

    // Silent although nothing is built for them; also no line feed after the last row.
    EXPECT_EQ(load(kMagic + "4 1\n89hi"), "Map size: 4,1\n");
    EXPECT_TRUE(map->valid);
    EXPECT_EQ(row(*map, 0), "89hi");
    // Letters are case-sensitive.
    EXPECT_EQ(load(kMagic + "4 1\ncpwj\n"),
              "Map size: 4,1\nShould not get here\nShould not get here\nShould not get here\n");
    EXPECT_EQ(row(*map, 0), "c***");
}

TEST_F(TrokMapTest, WrongMagicLineOrMissingFileFails)
{
    const std::string wrong[] = {
        " " + kMagic + "1 1\n.\n",
        "!MorvellantMapFile \n1 1\n.\n",
        "!MorvellantMapFile\r\n1 1\r\n.\r\n",
        "",
    };
    for (const std::string& content : wrong) {
        EXPECT_EQ(load(content), "Incorrect file type!\n") << content;
        EXPECT_FALSE(map->valid);
    }

    testing::internal::CaptureStdout();
    TrokMap missing(dir + "/no-such.troklevel");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Incorrect file type!\n");
    EXPECT_FALSE(missing.valid);
    TrokMap copy(missing);
    EXPECT_FALSE(copy.valid);
    EXPECT_EQ(copy.getWidth(), 0);
}

TEST_F(TrokMapTest, BadSizesFailBeforeAnythingIsAllocated)
{
    const std::string wide = "Bad map size: width must be a whole number from 1 to 4096\n";
    const std::string high = "Bad map size: height must be a whole number from 1 to 4096\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "", "Bad map size: width is missing\n" },
        { "6\n\n", "Bad map size: height is missing\n" },
        { "0 4\n", wide },
        { "-3 4\n", wide },
        { "4097 1\n", wide },
        { "99999999999 1\n", wide },
        { "six 4\n", wide },
        { "6 x\n", high },
        { "1 4097\n", high },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(kMagic + c.first), c.second) << c.first;
        EXPECT_FALSE(map->valid);
        EXPECT_EQ(map->getWidth(), 0);
        TrokMap copy(*map);
        EXPECT_FALSE(copy.valid);
    }
}

TEST_F(TrokMapTest, ShortOrMissingRowsFailNamingTheirLine)
{
    EXPECT_EQ(load(kMagic + "6 4\n#3..b#\n.W.\n.@..P.\n#a..W#\n"),
              "Map size: 6,4\nBad map row: line 4 has 3 cells, the map is 6 wide\n");
    EXPECT_FALSE(map->valid);
    EXPECT_EQ(map->getWidth(), 0);

    // The size spread over lines 2 to 4 moves the rows down.
    EXPECT_EQ(load(kMagic + "3\n\n2\n...\n"),
              "Map size: 3,2\nBad map row: line 6 is missing, the map is 2 rows high\n");
    EXPECT_FALSE(map->valid);
    TrokMap copy(*map);
    EXPECT_FALSE(copy.valid);

    // A failed reload leaves a loaded map as it was.
    load(kExample);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(map->loadMapFile(write(kMagic + "2 2\n..\n")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Map size: 2,2\nBad map row: line 4 is missing, the map is 2 rows high\n");
    EXPECT_TRUE(map->valid);
    EXPECT_EQ(map->getWidth(), 6);
    EXPECT_EQ(row(*map, 2), ".@..P.");
}

// The fuzzer's seeds say by their names whether they are levels, so that it
// starts from both sides of every check.
TEST_F(TrokMapTest, FuzzSeedsLoadAsTheirNamesSay)
{
    size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MORVELLANT_SOURCE_DIR "/fuzz/corpus/map")) {
        const std::string name = entry.path().filename().string();
        testing::internal::CaptureStdout();
        const TrokMap seed(entry.path().string());
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(seed.valid, name.rfind("broken-", 0) != 0) << name;
        ++seeds;
    }
    EXPECT_GE(seeds, 10u);
}

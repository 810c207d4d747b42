#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "Game/trokmap.h"

static const std::string kMagic = "!MorvellantMapFile\n";
static const std::string kExample = kMagic + "6 4\n#3..b#\n.W.C..\n.@..P.\n#a..W#\n";
static const std::string kPath = "/tmp/morvellant-map-" + std::to_string(getpid()) + ".troklevel";

// Loads the content as a level file into map and returns what the load printed.
static std::string load(const std::string& content, std::unique_ptr<TrokMap>& map)
{
    std::ofstream(kPath, std::ios::binary) << content;
    testing::internal::CaptureStdout();
    map.reset(new TrokMap(kPath));
    std::remove(kPath.c_str());
    return testing::internal::GetCapturedStdout();
}

// The cells row by row, each row ended by '/'.
static std::string cells(const TrokMap& m)
{
    std::string all;
    for (int i = 0; i < m.getHeight(); ++i) {
        for (int j = 0; j < m.getWidth(); ++j) {
            all += m.get(i, j);
        }
        all += '/';
    }
    return all;
}

TEST(TrokMap, GoodFilesLoadAndCopyIndependently)
{
    const std::string size = "Map size: 4,1\n", odd = "Should not get here\n";
    const std::string cases[][3] = {
        { kExample, "Map size: 6,4\n", "#3..b#/.W.C../.@..P./#a..W#/" },
        // Signed numbers on separate lines, junk after the height, long rows, lines past the last row.
        { kMagic + "+3\n2 rest of line\n.@.EXTRA\nCPW\nnot a row", "Map size: 3,2\n", ".@./CPW/" },
        { kMagic + "3 1\n. @\n", "Map size: 3,1\n" + odd, ".*@/" },
        // Silent although nothing is built for them; no line feed after the last row.
        { kMagic + "4 1\n89hi", size, "89hi/" },
        { kMagic + "4 1\ncpwj\n", size + odd + odd + odd, "c***/" },  // case-sensitive
        { kMagic + "4096 1\n" + std::string(4096, '.') + "\n", "Map size: 4096,1\n", std::string(4096, '.') + "/" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0].substr(0, 60));
        std::unique_ptr<TrokMap> map;
        EXPECT_EQ(load(c[0], map), c[1]);
        EXPECT_TRUE(map->valid);
        EXPECT_EQ(cells(*map), c[2]);
        TrokMap copy(*map);
        map.reset();
        EXPECT_TRUE(copy.valid);
        EXPECT_EQ(cells(copy), c[2]);
    }
}

// Nothing is allocated, the map is invalid and so is its copy; bad rows are
// named by their line in the file.
TEST(TrokMap, BadFilesFailWithOneLine)
{
    const std::string magic = "Incorrect file type!\n";
    const std::string wide = "Bad map size: width must be a whole number from 1 to 4096\n";
    const std::string high = "Bad map size: height must be a whole number from 1 to 4096\n";
    const std::pair<std::string, std::string> cases[] = {
        { " " + kMagic + "1 1\n.\n", magic },
        { "!MorvellantMapFile \n1 1\n.\n", magic },
        { "!MorvellantMapFile\r\n1 1\r\n.\r\n", magic },
        { "", magic },
        { kMagic, "Bad map size: width is missing\n" },
        { kMagic + "6\n\n", "Bad map size: height is missing\n" },
        { kMagic + "0 4\n", wide },
        { kMagic + "-3 4\n", wide },
        { kMagic + "4097 1\n", wide },
        { kMagic + "99999999999 1\n", wide },
        { kMagic + "six 4\n", wide },
        { kMagic + "6 x\n", high },
        { kMagic + "1 4097\n", high },
        { kMagic + "6 4\n#3..b#\n.W.\n.@..P.\n#a..W#\n",
          "Map size: 6,4\nBad map row: line 4 has 3 cells, the map is 6 wide\n" },
        // The size spread over lines 2 to 4 moves the rows down.
        { kMagic + "3\n\n2\n...\n", "Map size: 3,2\nBad map row: line 6 is missing, the map is 2 rows high\n" },
    };
    std::unique_ptr<TrokMap> map;
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.first, map), c.second) << c.first;
        EXPECT_FALSE(map->valid);
        EXPECT_EQ(map->getWidth(), 0);
        EXPECT_FALSE(TrokMap(*map).valid);
    }
    testing::internal::CaptureStdout();
    EXPECT_FALSE(TrokMap(kPath + ".none").valid);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), magic);

    // A failed reload leaves a loaded map as it was.
    load(kExample, map);
    std::ofstream(kPath) << kMagic + "2 2\n..\n";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(map->loadMapFile(kPath));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Map size: 2,2\nBad map row: line 4 is missing, the map is 2 rows high\n");
    std::remove(kPath.c_str());
    EXPECT_TRUE(map->valid);
    EXPECT_EQ(cells(*map), "#3..b#/.W.C../.@..P./#a..W#/");
}

// The fuzzer's seeds say by their names whether they are levels, so that it
// starts from both sides of every check.
TEST(TrokMap, FuzzSeedsLoadAsTheirNamesSay)
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

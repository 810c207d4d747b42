// Many games back to back in one process, as a long evening of play would go:
// won, lost and abandoned games in turn. Between games nothing of the last
// one may remain: no objects, nothing in the shared collision list, no
// counters carried over, no heap that keeps growing. LeakSanitizer checks the
// rest when the sanitizer build runs this.

#include <gtest/gtest.h>

#include <GL/glut.h>

#include <cstddef>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/gameharness.h"
#include "support/levelfile.h"
#include "support/worldprobe.h"

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif
#ifdef SOAK_ASAN
// The sanitizer runtime's count of live heap bytes (not every compiler ships
// the header that declares it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace
{

// Any conversion wins: one citizen and no police, so half of the agents is none.
const std::vector<std::string> kWinLevel = { "...", "@C.", "..." };
// Any conversion loses: eight police round one citizen already hold half.
const std::vector<std::string> kLoseLevel = { "PPP", "PCP", "PPP", ".@." };
// Nobody converts within a second: the citizen is out of the activist's
// reach and the police's, and the police talk first after a second.
const std::vector<std::string> kQuietLevel = { "@......C......P" };

const uint32_t kFrameMs = 50;
const int kGames = 200;
const int kMaxFramesPerGame = 4000;

class PhysicsProbe : public TrokPhysics
{
public:
    static size_t listed() { return objects.size(); }
};

size_t heapInUse()
{
#ifdef SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// Counts the lines the game prints without keeping them, so the output of
// many games neither grows the heap nor hides a failure message.
class LineCounter : public std::streambuf
{
public:
    int mapSizes = 0;
    int wins = 0;
    int losses = 0;

    LineCounter() { line.reserve(256); }

protected:
    int overflow(int c) override
    {
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            return c;
        }
        mapSizes += line.compare(0, 10, "Map size: ") == 0 ? 1 : 0;
        wins += line.find(" YOU WIN ") != std::string::npos ? 1 : 0;
        losses += line.find(" YOU LOSE ") != std::string::npos ? 1 : 0;
        line.clear();
        return c;
    }

private:
    std::string line;
};

enum Ending { WIN, LOSE, QUIT };

class Soak
{
public:
    LineCounter printed;
    std::streambuf* const console;
    GameHarness game;
    TrokWorld& world;
    int frames = 0;     // since the game started

    Soak() : console(std::cout.rdbuf(&printed)), game(), world(WorldProbe::registered())
    {
        gldouble::setRecording(false);
        game.frames(2, kFrameMs);
        game.tap('x');
    }
    ~Soak() { std::cout.rdbuf(console); }

    void step()
    {
        game.frame(kFrameMs);
        ++frames;
    }

    // On the title screen with no trace of an earlier game.
    void expectClean(int gameNumber)
    {
        ASSERT_EQ(game.state(), STATE_TITLE) << "before game " << gameNumber;
        EXPECT_EQ(PhysicsProbe::listed(), 0u) << "before game " << gameNumber;
        EXPECT_TRUE(WorldProbe::objectsOf(world).empty()) << "before game " << gameNumber;
        EXPECT_FALSE(WorldProbe::runningOf(world));
        EXPECT_EQ(world.trok, nullptr);
    }

    // Space on the title; the first playing frame builds the game.
    void start(int gameNumber, uint32_t citizens, uint32_t police)
    {
        game.tap(' ');
        frames = 0;
        ASSERT_EQ(game.state(), STATE_PLAYING) << "game " << gameNumber;
        ASSERT_TRUE(WorldProbe::runningOf(world));
        EXPECT_EQ(TrokWorld::allyCount, 0u) << "game " << gameNumber;
        EXPECT_EQ(TrokWorld::citizenCount, citizens) << "game " << gameNumber;
        EXPECT_EQ(TrokWorld::policeCount, police) << "game " << gameNumber;
        EXPECT_EQ(TrokWorld::totalAgentCount, citizens + police) << "game " << gameNumber;
        EXPECT_GT(PhysicsProbe::listed(), 0u);
    }

    void walk()
    {
        game.pressSpecial(GLUT_KEY_LEFT);
        step();
        step();
        game.pressSpecial(GLUT_KEY_UP);
        game.releaseSpecial(GLUT_KEY_LEFT);
        step();
        game.releaseSpecial(GLUT_KEY_UP);
    }

    // Talks every other frame (or waits) until the game is over.
    void talkUntilOver(bool talk)
    {
        while (game.state() == STATE_PLAYING && frames < kMaxFramesPerGame) {
            if (talk) {
                game.press(' ');
            }
            step();
            if (talk) {
                game.release(' ');
            }
            step();
        }
    }

    // The frame after the end tears the game down; Escape leads to the title.
    void leaveEndScreen()
    {
        step();
        EXPECT_EQ(PhysicsProbe::listed(), 0u);
        game.tap(27);
    }

    // Pauses with Space still held from talking; its release quits. Every
    // other time the game is resumed once first.
    void quitFromPause(bool resumeFirst)
    {
        game.pressSpecial(GLUT_KEY_DOWN);
        game.press(' ');
        step();
        game.releaseSpecial(GLUT_KEY_DOWN);
        if (resumeFirst) {
            game.release(' ');
            game.tap(27);
            ASSERT_EQ(game.state(), STATE_PAUSED);
            game.tap(27);
            ASSERT_EQ(game.state(), STATE_PLAYING);
            game.press(' ');
            step();
        }
        game.tap(27);
        ASSERT_EQ(game.state(), STATE_PAUSED);
        step();
        EXPECT_EQ(game.state(), STATE_PAUSED);
        game.release(' ');
        step();
        step();
    }
};

}

TEST(Soak, TwoHundredGamesBackToBackLeaveNothingBehind)
{
    enterTemporaryDirectory();
    Soak soak;

    int won = 0;
    int lost = 0;
    size_t heapEarly = 0;
    for (int i = 0; i < kGames; ++i) {
        const Ending ending = static_cast<Ending>(i % 3);
        writeLevel(ending == WIN ? kWinLevel : ending == LOSE ? kLoseLevel : kQuietLevel);

        soak.expectClean(i);
        // The heap in use on the title screen after a game of the same kind
        // as the last: the allocator's own growth has settled by then.
        if (i == 29) {
            heapEarly = heapInUse();
        }
        soak.start(i, 1, ending == WIN ? 0 : ending == LOSE ? 8 : 1);
        if (HasFatalFailure()) {
            break;
        }
        soak.walk();
        if (ending == QUIT) {
            soak.game.tap(' ');
            soak.game.tap(' ');
            soak.quitFromPause(i % 4 == 2);
            if (HasFatalFailure()) {
                break;
            }
        } else {
            soak.talkUntilOver(ending == WIN);
            EXPECT_EQ(soak.game.state(), ending == WIN ? STATE_WON : STATE_LOST) << "game " << i;
            (ending == WIN ? won : lost) += 1;
            soak.leaveEndScreen();
        }
        if (HasFailure()) {
            break;  // one game's worth of messages is enough
        }
    }
    soak.expectClean(kGames);
    const size_t heapLate = heapInUse();

    EXPECT_EQ(soak.printed.mapSizes, kGames);
    EXPECT_EQ(soak.printed.wins, won);
    EXPECT_EQ(soak.printed.losses, lost);
    EXPECT_EQ(won, 67);
    EXPECT_EQ(lost, 67);
    // The allocator keeps a few freed blocks in caches of its own, which
    // count as in use; one leaked game object per game would be far more.
    EXPECT_LT(heapLate, heapEarly + 4096) << "heap grew from " << heapEarly << " to " << heapLate;
}

TEST(Soak, GamesOnTheDefaultCityStartFreshAndLeaveNothingBehind)
{
    const std::string level = std::string(MORVELLANT_SOURCE_DIR) + "/Content/city1.troklevel";
    std::ifstream file(level);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    testing::internal::CaptureStdout();
    const LevelReport report(TrokMap{ level });
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(report.playable());
    enterTemporaryDirectory();
    writeLevelText(text);

    Soak soak;
    for (int i = 0; i < 3; ++i) {
        soak.expectClean(i);
        soak.start(i, report.citizens, report.police);
        // A minute of walking and talking, then quit from the pause screen.
        for (int frame = 0; frame < 1200 && soak.game.state() == STATE_PLAYING; frame += 40) {
            const int arrow = GLUT_KEY_LEFT + (frame / 40) % 4;
            soak.game.pressSpecial(arrow);
            for (int k = 0; k < 20; ++k) {
                soak.game.press(' ');
                soak.step();
                soak.game.release(' ');
                soak.step();
            }
            soak.game.releaseSpecial(arrow);
        }
        if (soak.game.state() == STATE_PLAYING) {
            soak.quitFromPause(i == 1);
        } else {
            soak.leaveEndScreen();
        }
    }
    soak.expectClean(3);
    EXPECT_EQ(soak.printed.mapSizes, 3);
}

// Many games back to back in one process, as a long evening of play would go:
// won, lost and abandoned games in turn. Between games nothing of the last
// one may remain: no objects, nothing in the shared collision list, no
// counters carried over, no heap that keeps growing. LeakSanitizer checks the
// rest when the sanitizer build runs this.

#include <gtest/gtest.h>

#include <GL/glut.h>
#include <malloc.h>

#include <cstddef>
#include <iostream>
#include <vector>

#include "Game/gamestates.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/gameharness.h"
#include "support/worldprobe.h"

// The heap in use: the C library's count, which a sanitizer build (whose own
// allocator it does not see) leaves to LeakSanitizer.
static size_t heapInUse()
{
    return mallinfo2().uordblks;
}

TEST(Soak, TwoHundredGamesBackToBackLeaveNothingBehind)
{
    // Any conversion wins with one citizen and no police, and loses with
    // eight police round the one citizen; in the quiet level nobody converts
    // before the game is quit from the pause screen.
    const struct { std::vector<std::string> level; uint32_t police; int ending; } kinds[] = {
        { { "...", "@C.", "..." }, 0, STATE_WON },
        { { "PPP", "PCP", "PPP", ".@." }, 8, STATE_LOST },
        { { "@......C......P" }, 1, STATE_TITLE },
    };
    const uint32_t kFrameMs = 50;
    enterTemporaryDirectory();
    // The output of 200 games is dropped unkept, so it cannot grow the heap.
    std::streambuf* const console = std::cout.rdbuf(nullptr);
    GameHarness game;
    gldouble::setRecording(false);
    const TrokWorld& world = WorldProbe::registered();
    game.toTitle();

    auto expectClean = [&](int before) {
        EXPECT_EQ(game.state(), STATE_TITLE) << "before game " << before;
        EXPECT_TRUE(WorldProbe::noGame(world)) << "before game " << before;
    };
    size_t heapEarly = 0;
    for (int i = 0; i < 200 && !HasFailure(); ++i) {   // one game's messages are enough
        expectClean(i);
        // On the title after a game of the same kind as the last, the
        // allocator's own growth has settled.
        if (i == 29) heapEarly = heapInUse();
        const auto& kind = kinds[i % 3];
        writeLevel(kind.level);
        game.tap(' ');
        EXPECT_EQ(game.state(), STATE_PLAYING) << "game " << i;
        EXPECT_EQ(TrokWorld::allyCount, 0u) << "game " << i;
        EXPECT_EQ(TrokWorld::citizenCount, 1u) << "game " << i;
        EXPECT_EQ(TrokWorld::policeCount, kind.police) << "game " << i;
        EXPECT_EQ(TrokWorld::totalAgentCount, 1 + kind.police) << "game " << i;
        game.pressSpecial(GLUT_KEY_LEFT);
        game.frames(2, kFrameMs);
        game.releaseSpecial(GLUT_KEY_LEFT);

        // Talk every other frame (or only wait) until the game is over; or
        // pause with Space held from talking and quit with its release.
        for (int frame = 0; kind.ending != STATE_TITLE && game.state() == STATE_PLAYING && frame < 4000; ++frame) {
            if (kind.ending == STATE_WON && frame % 2 == 0) game.press(' ');
            game.frame(kFrameMs);
            game.release(' ');
        }
        if (kind.ending == STATE_TITLE) {
            game.press(' ');
            game.frame(kFrameMs);
            game.tap(27);
            EXPECT_EQ(game.state(), STATE_PAUSED) << "game " << i;
            game.release(' ');
        } else {
            EXPECT_EQ(game.state(), kind.ending) << "game " << i;
            game.frame(kFrameMs);   // tears the game down
            game.tap(27);
        }
        game.frames(2, kFrameMs);
    }
    expectClean(200);
    std::cout.rdbuf(console);
    const size_t heapLate = heapInUse();

    // The allocator keeps a few freed blocks in caches of its own, which
    // count as in use; one leaked game object per game would be far more.
    EXPECT_LT(heapLate, heapEarly + 4096) << "heap grew from " << heapEarly << " to " << heapLate;
}

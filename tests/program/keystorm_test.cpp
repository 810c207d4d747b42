// A cat on the keyboard: thousands of random presses and releases of every
// kind of key, bound or not, across every screen. The program must stay in
// its states 1 to 6 throughout and never crash; the one way out is the title
// screen's Escape, which ends the program with status 0.

#include <gtest/gtest.h>

#include <GL/glut.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "Game/gamestates.h"
#include "double/gldouble.h"
#include "support/gameharness.h"

namespace
{

// Two citizens and one police officer: whichever side converts a citizen
// first wins, so the storm's talking sees both end screens.
const std::vector<std::string> kLevel = { "@C......CP", ".........." };

// Arrows and other keys GLUT delivers, then codes it never delivers or the
// game never binds.
const int kSpecialKeys[] = { GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN, GLUT_KEY_F1, GLUT_KEY_F12,
                             GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN, GLUT_KEY_HOME, GLUT_KEY_END, GLUT_KEY_INSERT,
                             0, 13, 99, 109, 200, 1000, -1, INT_MIN, INT_MAX };
const uint32_t kFrameTimes[] = { 1, 16, 33, 100, 250 };

// Delivers 20000 random key events with frames in between and returns the
// states seen. Among the first `filtered` events, Escape presses that would
// reach the title screen are held back; after them the storm runs until the
// program ends itself. A state outside 1 to 6 aborts, so a death test tells
// it from the title's exit.
std::set<int> storm(unsigned int seed, int filtered)
{
    GameHarness game;
    gldouble::setRecording(false);
    game.frame();   // the only frame in state 0
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    std::set<int> seen;
    for (int events = 0; events < 20000;) {
        const int burst = static_cast<int>(random() % 4);
        for (int i = 0; i < burst && events < 20000; ++i, ++events) {
            const bool press = chance(55);
            if (chance(60)) {
                const unsigned char key =
                    chance(25) ? ' ' : chance(20) ? 27 : static_cast<unsigned char>(random() % 256);
                if (key == 27 && press && events < filtered && game.state() == STATE_TITLE) continue;
                press ? game.press(key) : game.release(key);
            } else {
                const int key = kSpecialKeys[random() % (sizeof kSpecialKeys / sizeof kSpecialKeys[0])];
                press ? game.pressSpecial(key) : game.releaseSpecial(key);
            }
        }
        game.frame(kFrameTimes[random() % (sizeof kFrameTimes / sizeof kFrameTimes[0])]);
        if (game.state() < STATE_CREDITS || game.state() > STATE_WON) {
            std::cerr << "left the game's states: " << game.state() << std::endl;
            std::abort();
        }
        seen.insert(game.state());
    }
    return seen;
}

// An exit(0) within a test case would pass it unseen: while the filtered
// storm runs, ending the program is a failure.
bool g_exitIsFailure = false;

void failOnExit()
{
    if (g_exitIsFailure) {
        std::fputs("the program ended during a storm that held back the title's Escape\n", stderr);
        std::_Exit(1);
    }
}

}

TEST(KeyStorm, RandomKeysOnEveryScreenKeepTheProgramInItsStates)
{
    enterTemporaryDirectory();
    writeLevel(kLevel);
    std::ostringstream printed;
    std::streambuf* const console = std::cout.rdbuf(printed.rdbuf());
    std::atexit(failOnExit);
    g_exitIsFailure = true;
    const std::set<int> seen = storm(20240611u, 20000);
    g_exitIsFailure = false;
    std::cout.rdbuf(console);

    EXPECT_EQ(seen, (std::set<int>{ STATE_CREDITS, STATE_TITLE, STATE_PLAYING, STATE_PAUSED, STATE_LOST, STATE_WON }));
    // Games were started, and ended on both sides.
    const std::string out = printed.str();
    EXPECT_GE(occurrences(out, "Map size: 10,2\n"), 10u);
    EXPECT_GE(occurrences(out, " YOU WIN "), 1u);
    EXPECT_GE(occurrences(out, " YOU LOSE "), 1u);
}

TEST(KeyStormDeathTest, WithoutTheFilterTheOnlyWayOutIsTheTitlesEscape)
{
    // Each storm ends the program itself, wherever the title's Escape falls;
    // running out of events would end it with 3 instead. The last one lets
    // the first half of its events play games before the Escape may come.
    // Every child makes its level directory of its own: its exit removes it.
    const struct { unsigned int seed; int filtered; } runs[] = { { 1, 0 }, { 2, 0 }, { 3, 10000 } };
    for (const auto& run : runs) {
        EXPECT_EXIT(
            {
                enterTemporaryDirectory();
                writeLevel(kLevel);
                std::ostringstream discarded;
                std::cout.rdbuf(discarded.rdbuf());
                storm(run.seed, run.filtered);
                std::exit(3);
            },
            ::testing::ExitedWithCode(0), "")
            << "seed " << run.seed;
    }
}

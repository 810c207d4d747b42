#include "support/gameharness.h"

#include "Base/eventloop.h"
#include "Base/initialize.h"
#include "double/gldouble.h"
#include "Game/gameinit.h"

GameHarness::GameHarness()
{
    gldouble::reset();
    initTrokEngine();
    initGameWorlds();
}

void GameHarness::frame(uint32_t ms)
{
    gldouble::advanceClock(ms);
    gldouble::display();
}

void GameHarness::frames(int count, uint32_t ms)
{
    for (int i = 0; i < count; ++i) {
        frame(ms);
    }
}

void GameHarness::press(unsigned char key) { gldouble::pressKey(key); }
void GameHarness::release(unsigned char key) { gldouble::releaseKey(key); }
void GameHarness::pressSpecial(int key) { gldouble::pressSpecial(key); }
void GameHarness::releaseSpecial(int key) { gldouble::releaseSpecial(key); }

void GameHarness::tap(unsigned char key)
{
    press(key);
    frame();
    release(key);
    frame();
}

int GameHarness::state() const
{
    return Eventloop::getState();
}

bool GameHarness::runUntilState(int wanted, int maxFrames, uint32_t ms)
{
    for (int i = 0; i < maxFrames && state() != wanted; ++i) {
        frame(ms);
    }
    return state() == wanted;
}

// TEST-ONLY stand-in for the score's conversions while the game world is
// built elsewhere: it keeps the counters as the score does and prints
// nothing. Drop this file (and its line in tests/CMakeLists.txt) once
// Source/Game/trokworld.cpp defines the real ones.

#include "Game/trokworld.h"

uint32_t TrokWorld::allyCount = 0;
uint32_t TrokWorld::policeCount = 0;
uint32_t TrokWorld::citizenCount = 0;
uint32_t TrokWorld::totalAgentCount = 0;

void TrokWorld::citizenToAlly()
{
    --citizenCount;
    ++allyCount;
}

void TrokWorld::citizenToPolice()
{
    --citizenCount;
    ++policeCount;
}

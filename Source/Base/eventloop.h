#ifndef MORVELLANT_BASE_EVENTLOOP_H
#define MORVELLANT_BASE_EVENTLOOP_H

#include <cstdint>
#include <vector>

#include "Base/timer.h"

class WorldObject;

// Owns the frame: the registered worlds, the frame counter, the frame rate and
// the game state. A requested state is applied only at the end of the frame,
// so every world sees one state for the whole of a frame.
// The first instance constructed is the manager; later ones are mere handles.
class Eventloop
{
public:
    Eventloop();

    static void registerCallbacks();
    static void idleEvent();
    static void runEvents();
    static void addWorldToList(WorldObject* world);

    static uint32_t getFrameNumber();
    static float getFPS();
    static int getState();
    static void switchState(int state);

protected:
    static Eventloop* ms_poSingleton;
    static uint32_t ms_nCount;
    static uint32_t ms_nPreviousCount;
    static std::vector<WorldObject*> ms_oWorldList;
    static Timer ms_oFrametime;
    static uint32_t ms_nLastSecond;
    static float ms_rFPS;
    static int ms_eState;
    static int ms_eNextState;

    static void addFrameCount();
    static void calcFPS();
};

#endif

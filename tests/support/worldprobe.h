#ifndef MORVELLANT_TESTS_WORLDPROBE_H
#define MORVELLANT_TESTS_WORLDPROBE_H

#include <stdexcept>
#include <vector>

#include "Base/basiccamera.h"
#include "Base/eventloop.h"
#include "Base/location.h"
#include "Game/trokmap.h"
#include "Game/trokobject.h"
#include "Game/trokworld.h"

// Reaches the game world's protected state, and finds the game world that
// start-up registered.
class WorldProbe : public TrokWorld
{
public:
    static const std::vector<TrokObject*>& objectsOf(const TrokWorld& w) { return w.*(&WorldProbe::objects); }
    static bool runningOf(const TrokWorld& w) { return w.*(&WorldProbe::gameRunning); }
    static const TrokMap* mapOf(const TrokWorld& w) { return w.*(&WorldProbe::cityMap); }
    static const BasicCamera& cameraOf(const TrokWorld& w) { return w.*(&WorldProbe::cam); }
    static const Location& adjustmentOf(const TrokWorld& w) { return w.*(&WorldProbe::camAdjustment); }

    static TrokWorld& registered()
    {
        for (WorldObject* world : LoopProbe::worlds()) {
            if (TrokWorld* found = dynamic_cast<TrokWorld*>(world)) {
                return *found;
            }
        }
        throw std::logic_error("no game world registered");
    }

private:
    class LoopProbe : public Eventloop
    {
    public:
        static const std::vector<WorldObject*>& worlds() { return ms_oWorldList; }
    };
};

#endif

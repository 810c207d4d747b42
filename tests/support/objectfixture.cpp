#include "support/objectfixture.h"

#include "Game/trokphysics.h"

void ObjectTest::frame(uint32_t ms)
{
    gldouble::advanceClock(ms);
    FrameRate::hold();
    for (const std::unique_ptr<TrokObject>& object : objects) {
        object->input();
    }
    for (const std::unique_ptr<TrokObject>& object : objects) {
        object->think();
    }
    TrokPhysics::processCollisions();
    InputManager::signalFrameDone();
}

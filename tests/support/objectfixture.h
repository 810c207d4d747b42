#ifndef MORVELLANT_TESTS_OBJECTFIXTURE_H
#define MORVELLANT_TESTS_OBJECTFIXTURE_H

#include <gtest/gtest.h>

#include <memory>

#include "Base/eventloop.h"
#include "Base/inputmanager.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"
#include "support/framerate.h"
#include "support/scriptedrand.h"

// Game objects on the recording double with a steady frame rate of 10 and a
// virtual clock: frame() runs the game world's share of a frame over the
// objects (input, think, collisions) and then ends the frame's key changes.
class ObjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new Eventloop();
        new InputManager();
        InputManager::registerCallbacks();
        FrameRate::set(10.0f);
        FrameRate::hold();
        scriptedrand::reset();
    }

    TrokObject* make(const TrokObjectInit& init, Vector corner, Vector size = Vector(1, 1, 1))
    {
        objects.emplace_back(new TrokObject(init, corner, size));
        return objects.back().get();
    }

    // Time passes on GLUT's clock, which the timers read; the frame rate the
    // physics reads stays at 10.
    void frame(uint32_t ms = 0)
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

    std::vector<std::unique_ptr<TrokObject>> objects;
};

#endif

#include "Base/clearworld.h"

#include <GL/gl.h>

#include "Base/eventloop.h"

// Drift one step every this many frames: slow enough to be a mood, not a flicker.
static const uint32_t kFramesPerShift = 40;

ClearWorld::ClearWorld()
    : bgcolor(15, 0, 32, 255)
{
    applyClearColor();
}

void ClearWorld::input()
{
}

void ClearWorld::think()
{
    if (Eventloop::getFrameNumber() % kFramesPerShift != 0) {
        return;
    }
    bgcolor.shift();
    applyClearColor();
}

void ClearWorld::output()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ClearWorld::applyClearColor() const
{
    glClearColor(bgcolor.getr() / 255.0f, bgcolor.getg() / 255.0f,
                 bgcolor.getb() / 255.0f, bgcolor.geta() / 255.0f);
}

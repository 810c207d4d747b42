#include "Base/eventloop.h"

#include <GL/glut.h>

#include "Base/displaymanager.h"
#include "Base/inputmanager.h"
#include "Base/worldobject.h"

Eventloop* Eventloop::ms_poSingleton = nullptr;
uint32_t Eventloop::ms_nCount = 0;
uint32_t Eventloop::ms_nPreviousCount = 0;
std::vector<WorldObject*> Eventloop::ms_oWorldList;
Timer Eventloop::ms_oFrametime;
uint32_t Eventloop::ms_nLastSecond = 0;
float Eventloop::ms_rFPS = 0.0f;
int Eventloop::ms_eState = 0;
int Eventloop::ms_eNextState = 0;

static const float kSampleSeconds = 0.25f;

Eventloop::Eventloop()
{
    if (ms_poSingleton != nullptr) {
        return;
    }
    ms_poSingleton = this;
    ms_nCount = 1;
    ms_nPreviousCount = 0;
    ms_nLastSecond = 1;
    // freeglut serves raw system milliseconds before glutInit and time since
    // glutInit afterwards; the manager is built after glutInit, so restarting
    // the frame timer here keeps it on the clock the frames will read.
    ms_oFrametime.reset();
}

void Eventloop::registerCallbacks()
{
    glutDisplayFunc(runEvents);
    glutIdleFunc(idleEvent);
}

void Eventloop::idleEvent()
{
    glutPostRedisplay();
}

void Eventloop::runEvents()
{
    addFrameCount();
    calcFPS();
    for (WorldObject* world : ms_oWorldList) {
        world->input();
    }
    for (WorldObject* world : ms_oWorldList) {
        world->think();
    }
    for (WorldObject* world : ms_oWorldList) {
        world->output();
    }
    glutSwapBuffers();
    InputManager::signalFrameDone();
    DisplayManager::signalFrameDone();
    ms_eState = ms_eNextState;
}

void Eventloop::addWorldToList(WorldObject* world)
{
    ms_oWorldList.push_back(world);
}

uint32_t Eventloop::getFrameNumber()
{
    return ms_nCount;
}

float Eventloop::getFPS()
{
    const float frames = static_cast<float>(ms_nCount - ms_nLastSecond);
    const float seconds = ms_oFrametime.getElapsedTime();
    // Right after a sample no time is measurable yet: the smoothed rate is
    // the honest answer, and callers divide by this value.
    if (seconds <= 0.0f) {
        return ms_rFPS;
    }
    return (ms_rFPS + frames / seconds) * 0.5f;
}

int Eventloop::getState()
{
    return ms_eState;
}

void Eventloop::switchState(int state)
{
    ms_eNextState = state;
}

void Eventloop::addFrameCount()
{
    ++ms_nCount;
    ++ms_nPreviousCount;
    // Frame 0 would read as "no frame yet"; restart at 1 after wrapping.
    if (ms_nPreviousCount > ms_nCount) {
        ms_nCount = 1;
        ms_nPreviousCount = 0;
    }
}

void Eventloop::calcFPS()
{
    if (!ms_oFrametime.hasTimeElapsed(kSampleSeconds)) {
        return;
    }
    ms_oFrametime.reset();
    const float frames = static_cast<float>(ms_nCount - ms_nLastSecond);
    // The nominal quarter second, not the measured time, is the divisor.
    ms_rFPS = (ms_rFPS + frames / kSampleSeconds) * 0.5f;
    ms_nLastSecond = ms_nCount;
}

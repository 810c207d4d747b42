#include "Base/timer.h"

#include <GL/glut.h>

Timer::Timer()
{
    reset();
}

void Timer::reset()
{
    startTime = getClocks();
    prevTime = 0;
    paused = false;
}

void Timer::pause()
{
    if (paused) {
        return;
    }
    paused = true;
    prevTime += getClocks() - startTime;
}

void Timer::unpause()
{
    if (!paused) {
        return;
    }
    paused = false;
    startTime = getClocks();
}

uint32_t Timer::getElapsedClocks() const
{
    if (paused) {
        return prevTime;
    }
    return prevTime + (getClocks() - startTime);
}

float Timer::getElapsedTime() const
{
    // Whole hundredths first, so the reading steps in 0.01 s and never rounds up.
    const uint32_t hundredths = getElapsedClocks() / 10;
    return static_cast<float>(hundredths) / 100.0f;
}

uint32_t Timer::getClocksPerSecond() const
{
    return clocksPerSecond;
}

bool Timer::hasTimeElapsed(float seconds) const
{
    return getElapsedTime() >= seconds;
}

uint32_t Timer::getClocks()
{
    return static_cast<uint32_t>(glutGet(GLUT_ELAPSED_TIME));
}

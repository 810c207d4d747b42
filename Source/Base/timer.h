#ifndef MORVELLANT_BASE_TIMER_H
#define MORVELLANT_BASE_TIMER_H

#include <cstdint>

// Running time since the last reset on GLUT's millisecond clock, readable in
// seconds at a 0.01 s resolution. A small value type: copy it freely.
// Clock arithmetic is unsigned 32-bit and wraps, like the clock itself.
class Timer
{
public:
    static const uint32_t clocksPerSecond = 1000;

    Timer();

    void reset();
    void pause();
    void unpause();

    uint32_t getElapsedClocks() const;
    float getElapsedTime() const;
    uint32_t getClocksPerSecond() const;
    bool hasTimeElapsed(float seconds) const;

protected:
    uint32_t startTime;
    uint32_t prevTime;  // running time banked by earlier periods, before a pause
    bool paused;

    static uint32_t getClocks();
};

#endif

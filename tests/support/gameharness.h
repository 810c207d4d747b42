#ifndef MORVELLANT_TESTS_GAMEHARNESS_H
#define MORVELLANT_TESTS_GAMEHARNESS_H

#include <cstdint>

// The whole program on the recording double: the real start-up and worlds,
// driven frame by frame with scripted keys and virtual time. The engine keeps
// process-wide state, so build one harness per test process.
class GameHarness
{
public:
    static const uint32_t kFrameMs = 16;

    GameHarness();

    // One frame: advance the clock, then run GLUT's display callback.
    void frame(uint32_t ms = kFrameMs);
    void frames(int count, uint32_t ms = kFrameMs);

    // Key events arrive between frames, as GLUT delivers them.
    void press(unsigned char key);
    void release(unsigned char key);
    void pressSpecial(int key);
    void releaseSpecial(int key);
    // Press, one frame, release, one frame.
    void tap(unsigned char key);

    int state() const;
    // Runs frames until the state is reached; false if maxFrames pass first.
    bool runUntilState(int wanted, int maxFrames, uint32_t ms = kFrameMs);
};

#endif

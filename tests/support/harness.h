#ifndef MORVELLANT_TESTS_HARNESS_H
#define MORVELLANT_TESTS_HARNESS_H

// What the tests share: levels written where a game reads them, scripted
// draws of rand(), and probes into the state the engine keeps to itself.
// That state is process-wide, so every test case runs in a process of its own.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Base/color.h"
#include "Base/eventloop.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"

// Keys at virtual times, the one notation of every test: words separated by
// blanks, done in order.
//   +Space  -Space     a key goes down, comes up. Keys go by their names:
//                      Escape, Space, Tab, Enter, Up, Down, Left, Right, F11;
//                      any other single character is that character (x, A, 7)
//   3                  three frames
//   =paused            a game state asked for, as the screens would ask:
//                      credits, title, playing, paused, lost, won, or a number
//   play 400           up to 400 frames, while a game is being played
//   talk 10 every 88   Space tapped (down for one frame) 10 times, 88 frames
//                      apart, while a game is being played
// A frame is one call of frame(): by default a whole frame of the program,
// 16 ms of virtual time after the last.
void gameFrame();
void keys(const std::string& script, const std::function<void()>& frame = gameFrame);

// What action writes on standard output as a pipe receives it, run in a
// child process that then ends without flushing anything: only the lines
// flushed as they are written arrive. The child's game state comes back too.
std::string flushedOutput(const std::function<void()>& action, int* stateAfter = nullptr);

// A colour as its four components, "red green blue alpha": what a test
// compares colours by.
std::string rgba(const Color& colour);

// Writes Content/city1.troklevel in a fresh directory of this process's own
// (entered, and removed at exit): the magic line, the size, the rows.
void writeLevel(const std::vector<std::string>& rows);

// rand() hands out queued draws first, so that randomFloat(min, max) returns
// the value asked for; with none queued it is the C library's. Every draw counts.
void queueDraw(float min, float max, float value);
size_t draws();

class FrameRate : public Eventloop
{
public:
    // The rate the physics reads while the frame timer shows no time: hold() restarts it.
    static void set(float fps) { ms_rFPS = fps; }
    static void hold() { ms_oFrametime.reset(); }
    static void enter(int state) { ms_eState = ms_eNextState = state; }
    static const std::vector<WorldObject*>& worlds() { return ms_oWorldList; }
};

class PhysicsProbe : public TrokPhysics
{
public:
    static const std::vector<TrokPhysics*>& list() { return objects; }
    static void setBroadPhase(bool on) { broadPhase = on; }
    static Vector velocityOf(const TrokPhysics& p) { return p.*(&PhysicsProbe::vel); }
    static void setVelocity(TrokPhysics& p, Vector v) { p.*(&PhysicsProbe::vel) = v; }
    static Location previousOf(const TrokPhysics& p) { return p.*(&PhysicsProbe::prevloc); }
    // Moves the box as a push would.
    static void setCentre(TrokPhysics& p, Vector c)
    {
        (p.*(&PhysicsProbe::loc)).set(c);
        (p.*(&PhysicsProbe::refreshCells))();
    }
};

#endif

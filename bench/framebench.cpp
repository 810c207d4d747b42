// The game as it runs, with one more world registered last that writes one
// line per frame: "frame <number> state <state> <milliseconds since the last
// frame> <milliseconds of this thread's processor time since the last
// frame>" (the second leaves out the rasteriser's own threads). With --floor only the clear world is registered: the cheapest
// frame the same window can show, a clear and a swap. A benchmark program
// only; bench/framebench.sh drives it.

#include <GL/glut.h>
#include <time.h>

#include <chrono>
#include <cstring>
#include <iostream>

#include "Base/clearworld.h"
#include "Base/eventloop.h"
#include "Base/initialize.h"
#include "Base/worldobject.h"
#include "Game/gameinit.h"

namespace {

class FrameClock : public WorldObject
{
public:
    void input() override {}
    void think() override {}
    void output() override
    {
        const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
        const double cpu = threadMilliseconds();
        if (started) {
            const std::chrono::duration<double, std::milli> took = now - last;
            std::cout << "frame " << Eventloop::getFrameNumber() << " state " << Eventloop::getState() << " "
                      << took.count() << " " << cpu - lastCpu << "\n";
            if (Eventloop::getFrameNumber() % 64 == 0) {
                std::cout.flush();
            }
        }
        started = true;
        last = now;
        lastCpu = cpu;
    }

private:
    bool started = false;
    std::chrono::steady_clock::time_point last;
    double lastCpu = 0.0;

    static double threadMilliseconds()
    {
        timespec now;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    const bool floor = argc > 1 && std::strcmp(argv[1], "--floor") == 0;
    initTrokEngine();
    if (floor) {
        Eventloop::addWorldToList(new ClearWorld());
    } else {
        initGameWorlds();
    }
    Eventloop::addWorldToList(new FrameClock());
    glutMainLoop();
    return 0;
}

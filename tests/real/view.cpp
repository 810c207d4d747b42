// The default city drawn in a real window with Mesa from places along the
// activist's walk: once as the game draws it, leaving out what lies wholly
// outside the view, and once with every object drawn. The two frames must be
// the same to the byte, and most of the city must have been left out.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Base/clearworld.h"
#include "Base/eventloop.h"
#include "Base/initialize.h"
#include "Base/inputmanager.h"
#include "Game/gamestates.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokview.h"
#include "Game/trokworld.h"

namespace {

class Loop : public Eventloop
{
public:
    static void enter(int state) { ms_eState = ms_eNextState = state; ms_rFPS = 60.0f; }
};

class World : public TrokWorld
{
public:
    const std::vector<TrokObject*>& all() const { return objects; }
};

std::vector<unsigned char> drawFrame(ClearWorld& clear, World& world, bool leaveOut)
{
    TrokView::enabled = leaveOut;
    clear.output();
    world.output();
    std::vector<unsigned char> pixels(1000 * 750 * 4, 0);
    glReadPixels(0, 0, 1000, 750, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Round the city, two seconds each way, with a look every half second.
void run()
{
    int failures = 0;
    ClearWorld clear;
    World world;
    new InputManager();
    Loop::enter(STATE_PLAYING);
    for (int frame = 0; frame < 8 * 60; ++frame) {
        if (frame % 120 == 0) {
            InputManager::callbackSpecialRelease(GLUT_KEY_LEFT + (frame / 120 + 3) % 4, 0, 0);
            InputManager::callbackSpecialPress(GLUT_KEY_LEFT + (frame / 120) % 4, 0, 0);
        }
        world.input();
        world.think();
        InputManager::signalFrameDone();
        if (frame % 30 != 29) continue;
        const bool same = drawFrame(clear, world, true) == drawFrame(clear, world, false);
        TrokView::enabled = true;
        const TrokView view = TrokView::current();
        size_t out = 0;
        for (const TrokObject* o : world.all()) out += !view.mayShow(o->physics->getCurrentLocation(), o->physics->getSize());
        const bool ok = same && out * 2 > world.all().size();
        std::printf("%s: frame %d, %zu of %zu objects out of view, %s\n", ok ? "ok" : "FAILED", frame, out,
                    world.all().size(), same ? "the same frame" : "frames differ");
        failures += !ok;
    }
    std::fflush(stdout);
    std::exit(failures == 0 ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv)
{
    // Without an X server the test is skipped, not passed.
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::puts("skipped: no X display");
        return 77;
    }
    glutInit(&argc, argv);
    initTrokEngine();
    glutDisplayFunc(run);  // once, when the window shows
    glutIdleFunc(nullptr);
    glutMainLoop();
    return 1;
}

// The default city drawn in a real window with Mesa, from many places along
// the activist's walk: once as the game draws it, leaving out what lies
// wholly outside the view, and once with every object drawn. The two frames
// must be the same to the last byte, and the first must have left out most
// of the city. Needs $DISPLAY and the level in Content/ of the working
// directory.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <set>
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

const int kWidth = 1000;
const int kHeight = 750;

class Loop : public Eventloop
{
public:
    static void enter(int state) { ms_eState = state; ms_eNextState = state; }
    static void setFPS(float fps) { ms_rFPS = fps; }
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
    glFinish();
    std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void run()
{
    int failures = 0;
    ClearWorld clear;
    World world;
    new InputManager();
    Loop::enter(STATE_PLAYING);
    Loop::setFPS(60.0f);
    // Round the city: left, down, right, up, a second of walking each, and
    // a look after every half second.
    const int walks[] = { GLUT_KEY_LEFT, GLUT_KEY_DOWN, GLUT_KEY_RIGHT, GLUT_KEY_UP };
    int looks = 0;
    for (int frame = 0; frame < 8 * 60; ++frame) {
        if (frame % 120 == 0) {
            InputManager::callbackSpecialRelease(walks[(frame / 120 + 3) % 4], 0, 0);
            InputManager::callbackSpecialPress(walks[(frame / 120) % 4], 0, 0);
        }
        world.input();
        world.think();
        InputManager::signalFrameDone();
        if (frame % 30 != 29) {
            continue;
        }
        const std::vector<unsigned char> leftOut = drawFrame(clear, world, true);
        const std::vector<unsigned char> everything = drawFrame(clear, world, false);
        // What the view of the frame just drawn leaves out.
        TrokView::enabled = true;
        const TrokView view = TrokView::current();
        size_t outside = 0;
        for (const TrokObject* object : world.all()) {
            outside += view.mayShow(object->physics->getCurrentLocation(), object->physics->getSize()) ? 0 : 1;
        }
        std::set<unsigned> colours;
        for (size_t i = 0; i < everything.size(); i += 4) {
            colours.insert(everything[i] << 16 | everything[i + 1] << 8 | everything[i + 2]);
        }
        size_t differing = 0;
        for (size_t i = 0; i < everything.size(); ++i) {
            differing += leftOut[i] != everything[i] ? 1 : 0;
        }
        const bool ok = differing == 0 && outside * 2 > world.all().size() && colours.size() > 8;
        std::printf("%s: look %d: %zu of %zu objects out of view, %zu colours, %zu bytes differ\n",
                    ok ? "ok" : "FAILED", ++looks, outside, world.all().size(), colours.size(), differing);
        failures += ok ? 0 : 1;
    }
    glutSwapBuffers();
    std::printf("%d failed\n", failures);
    std::fflush(stdout);
    std::exit(failures == 0 && looks > 0 ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    initTrokEngine();
    // The engine's frame is not wanted here: run once when the window shows.
    glutDisplayFunc(run);
    glutIdleFunc(nullptr);
    glutMainLoop();
    return 1;
}

// The real start-up against real Mesa OpenGL in a window: checks the fixed
// state the game relies on with glGet and GLUT queries. Needs $DISPLAY.

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>

#include "Base/initialize.h"
#include "Game/gameinit.h"

static int g_failures = 0;

static void check(bool ok, const char* what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) {
        ++g_failures;
    }
}

static GLint integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    initTrokEngine();
    initGameWorlds();

    check(glutGet(GLUT_WINDOW_WIDTH) == 1000, "window width 1000");
    check(glutGet(GLUT_WINDOW_HEIGHT) == 750, "window height 750");
    check(glutGet(GLUT_WINDOW_DOUBLEBUFFER) == 1, "double-buffered");
    check(glutGet(GLUT_WINDOW_DEPTH_SIZE) > 0, "depth buffer");
    check(glIsEnabled(GL_BLEND) == GL_TRUE, "blending on");
    check(integer(GL_BLEND_SRC) == GL_SRC_ALPHA, "blend source SRC_ALPHA");
    check(integer(GL_BLEND_DST) == GL_ONE_MINUS_SRC_ALPHA, "blend destination ONE_MINUS_SRC_ALPHA");
    check(glIsEnabled(GL_DEPTH_TEST) == GL_TRUE, "depth test on");
    check(glIsEnabled(GL_COLOR_MATERIAL) == GL_TRUE, "colour material on");
    check(integer(GL_COLOR_MATERIAL_FACE) == GL_FRONT, "colour material on the front face");
    check(integer(GL_COLOR_MATERIAL_PARAMETER) == GL_AMBIENT_AND_DIFFUSE, "colour material ambient and diffuse");
    check(glIsEnabled(GL_LIGHTING) == GL_TRUE, "lighting on");
    check(glIsEnabled(GL_CULL_FACE) == GL_FALSE, "face culling off");
    check(integer(GL_CULL_FACE_MODE) == GL_BACK, "cull face BACK");
    check(integer(GL_SHADE_MODEL) == GL_FLAT, "flat shading");
    check(glutDeviceGet(GLUT_DEVICE_IGNORE_KEY_REPEAT) == 1, "key repeat ignored");

    GLfloat clear[4] = { 0, 0, 0, 0 };
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const float expected[4] = { 15 / 255.0f, 0.0f, 32 / 255.0f, 1.0f };
    bool clearOk = true;
    for (int i = 0; i < 4; ++i) {
        clearOk = clearOk && std::fabs(clear[i] - expected[i]) < 1e-3f;
    }
    check(clearOk, "clear colour (15, 0, 32, 255) / 255");

    GLdouble depth = 0.0;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
    check(depth == 1.0, "clear depth 1");

    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}

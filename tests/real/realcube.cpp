// Boxes drawn through the cube display with real Mesa OpenGL in a window:
// a unit cube and a 3 x 1 x 2 box seen from above and in front through a
// perspective camera like the game's, lit so that the lit body shows exactly
// its fill colour. The frame is read back and checked at points projected
// from the world. Needs $DISPLAY.

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Base/color.h"
#include "Base/initialize.h"
#include "Base/vector.h"
#include "Game/trokdisplay.h"

namespace {

const int kWidth = 1000;
const int kHeight = 750;
const Color kFill(200, 40, 40, 255);
const Color kStroke(20, 220, 20, 255);
const int kTolerance = 4;

int g_failures = 0;
std::vector<unsigned char> g_pixels;

struct Rgb
{
    int r, g, b;
};

// x from the left, y from the bottom, in OpenGL's window coordinates.
Rgb pixel(int x, int y)
{
    const unsigned char* p = &g_pixels[(static_cast<size_t>(y) * kWidth + x) * 3];
    return Rgb{ p[0], p[1], p[2] };
}

bool near(const Rgb& c, const Color& want)
{
    return std::abs(c.r - want.getr()) <= kTolerance && std::abs(c.g - want.getg()) <= kTolerance &&
           std::abs(c.b - want.getb()) <= kTolerance;
}

void check(bool ok, const char* what, int x, int y)
{
    const Rgb c = pixel(x, y);
    std::printf("%s: %s at (%d, %d) is (%d, %d, %d)\n", ok ? "ok" : "FAILED", what, x, y, c.r, c.g, c.b);
    if (!ok) {
        ++g_failures;
    }
}

void expectFill(int x, int y) { check(near(pixel(x, y), kFill), "fill", x, y); }
void expectBackground(int x, int y)
{
    const Rgb c = pixel(x, y);
    check(c.r < 10 && c.g < 10 && c.b < 10, "background", x, y);
}
// A line one pixel wide lights a pixel next to the projected point.
void expectStrokeNear(int x, int y)
{
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            found = found || near(pixel(x + dx, y + dy), kStroke);
        }
    }
    check(found, "stroke", x, y);
}

GLdouble g_view[16];
GLdouble g_projection[16];
GLint g_viewport[4];

// The window pixel a world point is drawn at.
void project(float x, float y, float z, int& wx, int& wy)
{
    GLdouble px = 0, py = 0, pz = 0;
    gluProject(x, y, z, g_view, g_projection, g_viewport, &px, &py, &pz);
    wx = static_cast<int>(px);
    wy = static_cast<int>(py);
}

enum Expect { FILL, STROKE, BACKGROUND };

void expectAt(Expect what, float x, float y, float z)
{
    int wx = 0, wy = 0;
    project(x, y, z, wx, wy);
    if (what == FILL) {
        expectFill(wx, wy);
    } else if (what == STROKE) {
        expectStrokeNear(wx, wy);
    } else {
        expectBackground(wx, wy);
    }
}

void drawAndCheck()
{
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(kWidth) / kHeight, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 7.0, 7.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glGetDoublev(GL_MODELVIEW_MATRIX, g_view);
    glGetDoublev(GL_PROJECTION_MATRIX, g_projection);
    glGetIntegerv(GL_VIEWPORT, g_viewport);

    // Ambient light only, at full strength: the lit colour is the fill.
    const GLfloat none[4] = { 0.0f, 0.0f, 0.0f, 1.0f };
    const GLfloat full[4] = { 1.0f, 1.0f, 1.0f, 1.0f };
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_AMBIENT, full);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, none);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);

    glPushMatrix();
    glTranslatef(-3.0f, 0.0f, 0.0f);
    TrokDisplay::makeCube(kFill, kStroke, Vector(1, 1, 1));
    glPopMatrix();
    glPushMatrix();
    glTranslatef(2.0f, 0.0f, 0.0f);
    TrokDisplay::makeCube(kFill, kStroke, Vector(3, 1, 2));
    glPopMatrix();
    glFinish();

    g_pixels.assign(static_cast<size_t>(kWidth) * kHeight * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, g_pixels.data());

    // The unit cube (x -3.5 to -2.5): edges around its top, no ring inside.
    expectAt(FILL, -3.0f, 0.5f, 0.0f);
    expectAt(FILL, -3.0f, 0.0f, 0.5f);  // its front
    expectAt(STROKE, -3.5f, 0.5f, 0.0f);
    expectAt(STROKE, -2.5f, 0.5f, 0.0f);
    expectAt(STROKE, -3.0f, 0.5f, 0.5f);
    expectAt(BACKGROUND, -4.0f, 0.5f, 0.0f);
    // The 3 x 1 x 2 box (x 0.5 to 3.5, z -1 to 1): rings across its top at
    // x 1.5 and 2.5 and at z 0, fill between them.
    for (float x : { 1.0f, 2.0f, 3.0f }) {
        expectAt(FILL, x, 0.5f, 0.5f);
        expectAt(FILL, x, 0.5f, -0.5f);
        expectAt(FILL, x, 0.0f, 1.0f);  // its front
    }
    for (float x : { 0.5f, 1.5f, 2.5f, 3.5f }) {
        expectAt(STROKE, x, 0.5f, 0.5f);
        expectAt(STROKE, x, 0.0f, 1.0f);
    }
    expectAt(STROKE, 2.0f, 0.5f, 0.0f);
    expectAt(STROKE, 1.0f, 0.5f, 0.0f);
    expectAt(BACKGROUND, 0.0f, 0.5f, 0.0f);
    expectAt(BACKGROUND, 4.0f, 0.5f, 0.0f);

    glutSwapBuffers();
    std::printf("%d failed\n", g_failures);
    std::exit(g_failures == 0 ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    initTrokEngine();
    // The engine's frame is not wanted here: draw once when the window shows.
    glutDisplayFunc(drawAndCheck);
    glutIdleFunc(nullptr);
    glutMainLoop();
    return 1;
}

#include "Base/pixmap.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdlib>
#include <new>

const float Pixmap::angleIncrease = 0.01f;
const float Pixmap::angleMax = 360.0f;

namespace {

const float BAND_SCALE = 81.16902097686662f;  // 255 / pi
const float TWO_PI = 6.28318530717958648f;

// Truncates towards zero and keeps the low 8 bits, so -10 becomes 246. Done
// in floating point: a large percent must not overflow an int conversion.
GLubyte toComponent(float value)
{
    if (!std::isfinite(value)) {
        return 0;
    }
    double low = std::fmod(std::trunc(static_cast<double>(value)), 256.0);
    if (low < 0) {
        low += 256.0;
    }
    return static_cast<GLubyte>(low);
}

}  // namespace

Pixmap::Pixmap()
    : xSize(0), ySize(0), xScale(1.0f), yScale(1.0f), pixels(nullptr), hasCleared(false),
      percent(1.0f), angle(0.0f)
{
}

Pixmap::~Pixmap()
{
    delete[] pixels;
}

void Pixmap::setSize(int x, int y)
{
    delete[] pixels;
    pixels = nullptr;
    hasCleared = false;
    if (x <= 0 || y <= 0) {
        xSize = 0;
        ySize = 0;
        return;
    }
    if (x > maxSide || y > maxSide) {
        std::exit(1);
    }
    xSize = x;
    ySize = y;
    pixels = new (std::nothrow) Color[static_cast<size_t>(x) * static_cast<size_t>(y)];
    if (pixels == nullptr) {
        std::exit(1);
    }
    setScale(x, y);
}

void Pixmap::setScale(int x, int y)
{
    if (x <= 0 || y <= 0) {
        return;
    }
    xScale = static_cast<float>(xSize) / static_cast<float>(x);
    yScale = static_cast<float>(ySize) / static_cast<float>(y);
    glPointSize(xScale < yScale ? xScale : yScale);
}

Color& Pixmap::at(int x, int y)
{
    return pixels[x * ySize + y];
}

void Pixmap::clear()
{
    for (int i = 0; i < xSize * ySize; ++i) {
        pixels[i].clear();
    }
    hasCleared = true;
}

void Pixmap::clearOnce()
{
    if (!hasCleared) {
        clear();
    }
}

void Pixmap::clearCrazy()
{
    // One colour per row, the phase climbing row by row; the map's own phase
    // is left where it was.
    const float startAngle = angle;
    for (int y = 0; y < ySize; ++y) {
        const float s = std::sin(angle);
        const float c = std::cos(angle);
        const Color band(toComponent(s * BAND_SCALE), toComponent((1.0f - c * s) * BAND_SCALE),
                         toComponent(c * BAND_SCALE), 255);
        for (int x = 0; x < xSize; ++x) {
            at(x, y) = band;
        }
        updateAngle();
    }
    angle = startAngle;
    hasCleared = true;
}

void Pixmap::clearCrazyOnce()
{
    if (!hasCleared) {
        clearCrazy();
    }
}

void Pixmap::fade()
{
    for (int i = 0; i < xSize * ySize; ++i) {
        Color& p = pixels[i];
        p.set(toComponent(p.getr() * percent), toComponent(p.getg() * percent),
              toComponent(p.getb() * percent), toComponent(p.geta() * percent));
    }
}

void Pixmap::fadeCrazy()
{
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    for (int i = 0; i < xSize * ySize; ++i) {
        Color& p = pixels[i];
        p.set(toComponent(p.getr() * percent * s), toComponent(p.getg() * percent * (c * s)),
              toComponent(p.getb() * percent * c), toComponent(p.geta() * percent * c));
    }
}

void Pixmap::drawSin()
{
    const float half = ySize * 0.5f;
    for (int x = 0; x < xSize; ++x) {
        const float t = angle * 1000.0f / 360.0f + static_cast<float>(x) / static_cast<float>(xSize);
        const float row = half * std::sin(TWO_PI * t) + half;
        // Written so that NaN lands on row 0 too.
        int y = 0;
        if (row >= static_cast<float>(ySize - 1)) {
            y = ySize - 1;
        } else if (row > 0.0f) {
            y = static_cast<int>(row);
        }
        at(x, y).setWhite();
    }
}

void Pixmap::draw()
{
    glBegin(GL_POINTS);
    for (int y = 0; y < ySize; ++y) {
        for (int x = 0; x < xSize; ++x) {
            glColor4ubv(at(x, y).get());
            glVertex2f(xScale * x, yScale * y);
        }
    }
    glEnd();
    glutPostRedisplay();
    update();
}

void Pixmap::update()
{
    updateAngle();
}

void Pixmap::updateAngle()
{
    angle += angleIncrease;
    if (angle > angleMax) {
        angle -= angleMax;
    }
}

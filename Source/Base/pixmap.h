#ifndef MORVELLANT_BASE_PIXMAP_H
#define MORVELLANT_BASE_PIXMAP_H

#include "Base/color.h"

// A small software frame buffer for full-screen effects: cleared plainly or
// to colour bands, faded, marked with a moving sine wave, drawn as points.
// It owns its pixels, so it cannot be copied.
class Pixmap
{
public:
    static const float angleIncrease;  // phase step, 0.01
    static const float angleMax;       // phase wrap, 360

    int xSize;
    int ySize;
    float xScale;       // spacing of the drawn points
    float yScale;
    Color* pixels;      // column after column: (x, y) is pixels[x * ySize + y]
    bool hasCleared;    // lets the "Once" variants clear only the first time
    float percent;      // fading factor, set by the owner
    float angle;        // phase of the animated effects

    // Empty: no pixels, scales 1, percent 1, angle 0.
    Pixmap();
    ~Pixmap();
    Pixmap(const Pixmap&) = delete;
    Pixmap& operator=(const Pixmap&) = delete;

    // Opaque black pixels. A side of 0 or less gives an empty map; more than
    // maxSide on a side ends the process as a failed allocation does.
    void setSize(int x, int y);
    // The spacing that spreads the map over x by y units; ignores sizes <= 0.
    void setScale(int x, int y);
    void clear();
    void clearOnce();
    void clearCrazy();
    void clearCrazyOnce();
    void fade();
    void fadeCrazy();
    void drawSin();
    void draw();
    void update();

    static const int maxSide = 16384;

protected:
    void updateAngle();
    Color& at(int x, int y);
};

#endif

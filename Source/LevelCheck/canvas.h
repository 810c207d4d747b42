#ifndef MORVELLANT_LEVELCHECK_CANVAS_H
#define MORVELLANT_LEVELCHECK_CANVAS_H

#include <cstdint>
#include <string>
#include <vector>

#include "Base/color.h"

// A picture in memory, as a PNG file holds it: 8-bit red, green and blue a
// pixel, each row left to right, the top row first. Alpha is not kept.
// Whatever is drawn beyond its edges is left out.
class Canvas
{
public:
    int width;
    int height;
    std::vector<uint8_t> rgb;   // width * height * 3 bytes

    Canvas(int width, int height, const Color& background);

    void fill(int x, int y, int w, int h, const Color& colour);
    // One pixel wide, both ends included.
    void line(int x0, int y0, int x1, int y1, const Color& colour);
    // In the small font, each of its pixels a square of `scale`; the top left
    // corner at (x, y). Returns the width written.
    int text(int x, int y, int scale, const std::string& words, const Color& colour);
    static int textWidth(const std::string& words, int scale);

private:
    void put(int x, int y, const Color& colour);
};

#endif

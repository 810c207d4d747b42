#include "LevelCheck/canvas.h"

#include <algorithm>
#include <cstdlib>

#include "LevelCheck/smallfont.h"

Canvas::Canvas(int width, int height, const Color& background)
    : width(width), height(height), rgb()
{
    rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        rgb.push_back(background.getr());
        rgb.push_back(background.getg());
        rgb.push_back(background.getb());
    }
}

void Canvas::put(int x, int y, const Color& colour)
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    uint8_t* p = &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    p[0] = colour.getr();
    p[1] = colour.getg();
    p[2] = colour.getb();
}

void Canvas::fill(int x, int y, int w, int h, const Color& colour)
{
    for (int row = std::max(y, 0); row < std::min(y + h, height); ++row) {
        for (int column = std::max(x, 0); column < std::min(x + w, width); ++column) {
            put(column, row, colour);
        }
    }
}

// Bresenham's: every step moves one pixel along the longer axis.
void Canvas::line(int x0, int y0, int x1, int y1, const Color& colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        put(x0, y0, colour);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

int Canvas::text(int x, int y, int scale, const std::string& words, const Color& colour)
{
    int left = x;
    for (const char c : words) {
        const char* rows = smallGlyph(c);
        for (int i = 0; rows != nullptr && i < kGlyphWidth * kGlyphHeight; ++i) {
            if (rows[i] == '#') {
                fill(left + i % kGlyphWidth * scale, y + i / kGlyphWidth * scale, scale, scale, colour);
            }
        }
        left += (kGlyphWidth + 1) * scale;
    }
    return left - x;
}

int Canvas::textWidth(const std::string& words, int scale)
{
    return static_cast<int>(words.size()) * (kGlyphWidth + 1) * scale;
}

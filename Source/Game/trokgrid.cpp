#include "Game/trokgrid.h"

#include <algorithm>
#include <cmath>

// Coordinates beyond this are not turned into cell numbers.
static const float kFarthest = 1.0e9f;
// A box covering more cells than this costs more to file than to hand to
// every query: the largest walls of the largest levels stay well below.
static const int64_t kMostCells = 65536;

bool TrokGrid::Span::operator==(const Span& other) const
{
    if (wide || other.wide) {
        return wide == other.wide;
    }
    return x0 == other.x0 && z0 == other.z0 && x1 == other.x1 && z1 == other.z1;
}

bool TrokGrid::Span::operator!=(const Span& other) const
{
    return !(*this == other);
}

int64_t TrokGrid::Span::cellCount() const
{
    if (wide) {
        return 0;
    }
    return (static_cast<int64_t>(x1) - x0 + 1) * (static_cast<int64_t>(z1) - z0 + 1);
}

// The cells whose inside the interval from the smaller bound to the larger
// reaches into, and at least the cell of the smaller bound: an interval
// that merely touches a cell's face is not filed under that cell, and one
// that is flat still is under one. False when a bound is not a number or
// lies too far out.
static bool cellRange(float a, float b, int32_t& first, int32_t& last)
{
    if (!(a >= -kFarthest && a <= kFarthest && b >= -kFarthest && b <= kFarthest)) {
        return false;
    }
    const float lo = a < b ? a : b;
    const float hi = a < b ? b : a;
    first = static_cast<int32_t>(std::floor(lo));
    last = std::max(first, static_cast<int32_t>(std::ceil(hi)) - 1);
    return true;
}

TrokGrid::Span TrokGrid::cover(float x0, float x1, float z0, float z1)
{
    Span span = { 0, 0, 0, 0, false };
    if (!cellRange(x0, x1, span.x0, span.x1) || !cellRange(z0, z1, span.z0, span.z1)) {
        span.wide = true;
        return span;
    }
    span.wide = span.cellCount() > kMostCells;
    return span;
}

void TrokGrid::add(TrokPhysics* box, const Span& span)
{
    if (span.wide) {
        wide.push_back(box);
        return;
    }
    for (int32_t x = span.x0; x <= span.x1; ++x) {
        for (int32_t z = span.z0; z <= span.z1; ++z) {
            cells[key(x, z)].push_back(box);
        }
    }
}

// Removes one entry of box; the order within a cell does not matter, since
// every query sorts what it finds.
static void takeOut(std::vector<TrokPhysics*>& boxes, TrokPhysics* box)
{
    std::vector<TrokPhysics*>::iterator it = std::find(boxes.begin(), boxes.end(), box);
    if (it != boxes.end()) {
        *it = boxes.back();
        boxes.pop_back();
    }
}

void TrokGrid::remove(TrokPhysics* box, const Span& span)
{
    if (span.wide) {
        takeOut(wide, box);
        return;
    }
    for (int32_t x = span.x0; x <= span.x1; ++x) {
        for (int32_t z = span.z0; z <= span.z1; ++z) {
            std::unordered_map<uint64_t, std::vector<TrokPhysics*>>::iterator cell = cells.find(key(x, z));
            if (cell != cells.end()) {
                takeOut(cell->second, box);
            }
        }
    }
}

void TrokGrid::move(TrokPhysics* box, const Span& from, const Span& to)
{
    if (from == to) {
        return;
    }
    remove(box, from);
    add(box, to);
}

void TrokGrid::collect(const Span& span, std::vector<TrokPhysics*>& found) const
{
    found.insert(found.end(), wide.begin(), wide.end());
    if (span.wide) {
        return;
    }
    for (int32_t x = span.x0; x <= span.x1; ++x) {
        for (int32_t z = span.z0; z <= span.z1; ++z) {
            std::unordered_map<uint64_t, std::vector<TrokPhysics*>>::const_iterator cell = cells.find(key(x, z));
            if (cell != cells.end()) {
                found.insert(found.end(), cell->second.begin(), cell->second.end());
            }
        }
    }
}

uint64_t TrokGrid::key(int32_t x, int32_t z)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(z);
}

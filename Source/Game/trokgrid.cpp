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

// Rounds down, negative numbers included.
static int32_t blockOf(int32_t v, int32_t shift)
{
    return v >= 0 ? v >> shift : -((-(v + 1)) >> shift) - 1;
}

void TrokGrid::add(TrokPhysics* box, const Span& span)
{
    if (span.wide) {
        wide.push_back(box);
        ++filed;
        return;
    }
    for (int32_t z = span.z0; z <= span.z1; ++z) {
        for (int32_t x = span.x0; x <= span.x1; ++x) {
            cell(x, z, true)->push_back(box);
            ++filed;
        }
    }
}

// Removes one entry of box; the order within a cell does not matter, since
// every query sorts what it finds.
static bool takeOut(std::vector<TrokPhysics*>& boxes, TrokPhysics* box)
{
    std::vector<TrokPhysics*>::iterator it = std::find(boxes.begin(), boxes.end(), box);
    if (it == boxes.end()) {
        return false;
    }
    *it = boxes.back();
    boxes.pop_back();
    return true;
}

void TrokGrid::remove(TrokPhysics* box, const Span& span)
{
    if (span.wide) {
        filed -= takeOut(wide, box) ? 1 : 0;
    } else {
        for (int32_t z = span.z0; z <= span.z1; ++z) {
            for (int32_t x = span.x0; x <= span.x1; ++x) {
                std::vector<TrokPhysics*>* boxes = cell(x, z, false);
                if (boxes != nullptr) {
                    filed -= takeOut(*boxes, box) ? 1 : 0;
                }
            }
        }
    }
    // Between games nothing is filed: let the blocks go.
    if (filed == 0) {
        blocks.clear();
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
    // Block by block: one look-up for all the span's cells in each.
    const int32_t bx0 = blockOf(span.x0, kBlockShift);
    const int32_t bx1 = blockOf(span.x1, kBlockShift);
    const int32_t bz0 = blockOf(span.z0, kBlockShift);
    const int32_t bz1 = blockOf(span.z1, kBlockShift);
    for (int32_t bz = bz0; bz <= bz1; ++bz) {
        for (int32_t bx = bx0; bx <= bx1; ++bx) {
            std::unordered_map<uint64_t, std::unique_ptr<Block>>::const_iterator block =
                blocks.find(blockKey(bx * kBlockSide, bz * kBlockSide));
            if (block == blocks.end()) {
                continue;
            }
            const int32_t x0 = std::max(span.x0, bx * kBlockSide);
            const int32_t x1 = std::min(span.x1, bx * kBlockSide + kBlockSide - 1);
            const int32_t z0 = std::max(span.z0, bz * kBlockSide);
            const int32_t z1 = std::min(span.z1, bz * kBlockSide + kBlockSide - 1);
            for (int32_t z = z0; z <= z1; ++z) {
                for (int32_t x = x0; x <= x1; ++x) {
                    const std::vector<TrokPhysics*>& boxes = block->second->cells[slot(x, z)];
                    found.insert(found.end(), boxes.begin(), boxes.end());
                }
            }
        }
    }
}

std::vector<TrokPhysics*>* TrokGrid::cell(int32_t x, int32_t z, bool make)
{
    const uint64_t key = blockKey(x, z);
    std::unordered_map<uint64_t, std::unique_ptr<Block>>::iterator found = blocks.find(key);
    if (found == blocks.end()) {
        if (!make) {
            return nullptr;
        }
        found = blocks.emplace(key, std::unique_ptr<Block>(new Block())).first;
    }
    return &found->second->cells[slot(x, z)];
}

const std::vector<TrokPhysics*>* TrokGrid::cell(int32_t x, int32_t z) const
{
    std::unordered_map<uint64_t, std::unique_ptr<Block>>::const_iterator found = blocks.find(blockKey(x, z));
    return found == blocks.end() ? nullptr : &found->second->cells[slot(x, z)];
}

uint64_t TrokGrid::blockKey(int32_t x, int32_t z)
{
    const uint32_t bx = static_cast<uint32_t>(blockOf(x, kBlockShift));
    const uint32_t bz = static_cast<uint32_t>(blockOf(z, kBlockShift));
    return (static_cast<uint64_t>(bx) << 32) | bz;
}

int32_t TrokGrid::slot(int32_t x, int32_t z)
{
    const int32_t sx = x - blockOf(x, kBlockShift) * kBlockSide;
    const int32_t sz = z - blockOf(z, kBlockShift) * kBlockSide;
    return sz * kBlockSide + sx;
}

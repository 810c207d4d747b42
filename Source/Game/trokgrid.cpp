#include "Game/trokgrid.h"

#include <algorithm>
#include <cmath>

// Coordinates beyond this are not turned into cell numbers.
static const float kFarthest = 1.0e9f;
// The most blocks the grid's rectangle may hold (a pointer each): enough for
// the largest level the loader accepts, walls and all.
static const int64_t kMostBlocks = int64_t(1) << 20;
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

bool TrokGrid::Span::holds(int32_t x, int32_t z) const
{
    return !wide && x >= x0 && x <= x1 && z >= z0 && z <= z1;
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

// A wide span, holding no cell: as a place, aside; as cells to skip, none.
static const TrokGrid::Span kNowhere = { 0, 0, 0, 0, true };

// Removes one entry of box; the order within a cell does not matter, since
// every query sorts what it finds.
static bool takeOut(std::vector<TrokGrid::Entry>& entries, const TrokPhysics* box)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].box == box) {
            entries[i] = entries.back();
            entries.pop_back();
            return true;
        }
    }
    return false;
}

TrokGrid::Span TrokGrid::add(const Entry& entry, const Span& span)
{
    const Span held = holdable(span);
    fileIn(entry, held, kNowhere);
    return held;
}

void TrokGrid::remove(const TrokPhysics* box, const Span& span)
{
    takeOutOf(box, span, kNowhere);
    // Between games nothing is filed: let the blocks go.
    if (filed == 0) {
        blocks.clear();
        across = 0;
        down = 0;
    }
}

TrokGrid::Span TrokGrid::move(const Entry& entry, const Span& from, const Span& to)
{
    if (from == to) {
        return from;
    }
    // A box moving by a cell keeps most of its cells: only the cells it
    // leaves and the cells it enters change.
    const Span held = holdable(to);
    takeOutOf(entry.box, from, held);
    fileIn(entry, held, from);
    return held;
}

void TrokGrid::collect(const Span& span, std::vector<Entry>& found) const
{
    found.insert(found.end(), wide.begin(), wide.end());
    if (span.wide) {
        return;
    }
    // Block by block, only those the rectangle has: no box lies outside it.
    const int32_t bx0 = std::max(blockOf(span.x0, kBlockShift), firstX);
    const int32_t bx1 = std::min(blockOf(span.x1, kBlockShift), firstX + across - 1);
    const int32_t bz0 = std::max(blockOf(span.z0, kBlockShift), firstZ);
    const int32_t bz1 = std::min(blockOf(span.z1, kBlockShift), firstZ + down - 1);
    for (int32_t bz = bz0; bz <= bz1; ++bz) {
        for (int32_t bx = bx0; bx <= bx1; ++bx) {
            const Block* block = blockAt(bx, bz);
            if (block == nullptr) {
                continue;
            }
            const int32_t x0 = std::max(span.x0, bx * kBlockSide);
            const int32_t x1 = std::min(span.x1, bx * kBlockSide + kBlockSide - 1);
            const int32_t z0 = std::max(span.z0, bz * kBlockSide);
            const int32_t z1 = std::min(span.z1, bz * kBlockSide + kBlockSide - 1);
            for (int32_t z = z0; z <= z1; ++z) {
                const std::vector<Entry>* row = &block->cells[(z - bz * kBlockSide) * kBlockSide];
                for (int32_t x = x0; x <= x1; ++x) {
                    const std::vector<Entry>& entries = row[x - bx * kBlockSide];
                    found.insert(found.end(), entries.begin(), entries.end());
                }
            }
        }
    }
}

// The span itself, or a wide one if the rectangle of blocks cannot be
// stretched over it.
TrokGrid::Span TrokGrid::holdable(const Span& span)
{
    return span.wide || reach(span) ? span : kNowhere;
}

// Stretches the rectangle of blocks over the span; false if that would make
// it larger than allowed.
bool TrokGrid::reach(const Span& span)
{
    const int32_t bx0 = blockOf(span.x0, kBlockShift);
    const int32_t bx1 = blockOf(span.x1, kBlockShift);
    const int32_t bz0 = blockOf(span.z0, kBlockShift);
    const int32_t bz1 = blockOf(span.z1, kBlockShift);
    if (across > 0 && bx0 >= firstX && bx1 < firstX + across && bz0 >= firstZ && bz1 < firstZ + down) {
        return true;
    }
    const int32_t newX = across > 0 ? std::min(firstX, bx0) : bx0;
    const int32_t newZ = down > 0 ? std::min(firstZ, bz0) : bz0;
    const int64_t lastX = across > 0 ? std::max<int64_t>(int64_t(firstX) + across - 1, bx1) : bx1;
    const int64_t lastZ = down > 0 ? std::max<int64_t>(int64_t(firstZ) + down - 1, bz1) : bz1;
    const int64_t newAcross = lastX - newX + 1;
    const int64_t newDown = lastZ - newZ + 1;
    if (newAcross * newDown > kMostBlocks) {
        return false;
    }
    std::vector<std::unique_ptr<Block>> grown(static_cast<size_t>(newAcross * newDown));
    for (int32_t z = 0; z < down; ++z) {
        for (int32_t x = 0; x < across; ++x) {
            const int64_t to = (int64_t(firstZ) + z - newZ) * newAcross + (int64_t(firstX) + x - newX);
            grown[static_cast<size_t>(to)] = std::move(blocks[static_cast<size_t>(z) * across + x]);
        }
    }
    blocks.swap(grown);
    firstX = newX;
    firstZ = newZ;
    across = static_cast<int32_t>(newAcross);
    down = static_cast<int32_t>(newDown);
    return true;
}

std::vector<TrokGrid::Entry>* TrokGrid::cell(int32_t x, int32_t z, bool make)
{
    const int32_t bx = blockOf(x, kBlockShift);
    const int32_t bz = blockOf(z, kBlockShift);
    if (bx < firstX || bx >= firstX + across || bz < firstZ || bz >= firstZ + down) {
        return nullptr;
    }
    std::unique_ptr<Block>& block = blocks[blockIndex(bx, bz)];
    if (!block) {
        if (!make) {
            return nullptr;
        }
        block.reset(new Block());
    }
    return &block->cells[(z - bz * kBlockSide) * kBlockSide + (x - bx * kBlockSide)];
}

const TrokGrid::Block* TrokGrid::blockAt(int32_t bx, int32_t bz) const
{
    return blocks[blockIndex(bx, bz)].get();
}

size_t TrokGrid::blockIndex(int32_t bx, int32_t bz) const
{
    return static_cast<size_t>(bz - firstZ) * across + (bx - firstX);
}

// Files the entry under the span's cells that `skip` does not hold, or
// aside if the span is wide.
void TrokGrid::fileIn(const Entry& entry, const Span& span, const Span& skip)
{
    if (span.wide) {
        wide.push_back(entry);
        ++filed;
        return;
    }
    for (int32_t z = span.z0; z <= span.z1; ++z) {
        for (int32_t x = span.x0; x <= span.x1; ++x) {
            if (!skip.holds(x, z)) {
                cell(x, z, true)->push_back(entry);
                ++filed;
            }
        }
    }
}

// Takes the box out of the span's cells that `skip` does not hold, or from
// aside if the span is wide.
void TrokGrid::takeOutOf(const TrokPhysics* box, const Span& span, const Span& skip)
{
    if (span.wide) {
        filed -= takeOut(wide, box) ? 1 : 0;
        return;
    }
    for (int32_t z = span.z0; z <= span.z1; ++z) {
        for (int32_t x = span.x0; x <= span.x1; ++x) {
            if (skip.holds(x, z)) {
                continue;
            }
            std::vector<Entry>* entries = cell(x, z, false);
            if (entries != nullptr) {
                filed -= takeOut(*entries, box) ? 1 : 0;
            }
        }
    }
}

#ifndef MORVELLANT_GAME_TROKGRID_H
#define MORVELLANT_GAME_TROKGRID_H

#include <cstdint>
#include <memory>
#include <vector>

class TrokPhysics;

// The broad phase of the shared collision list: which boxes cover which unit
// cells of the x-z plane, so that the collision pass and the radius search
// look only at boxes near the place in question instead of at every box.
// It only narrows the field: what it finds is then tested exactly as before,
// in list order. A box too large or too far out to be held in cells is kept
// aside as "wide" and handed to every query.
class TrokGrid
{
public:
    // Cells x0..x1 by z0..z1, both ends included; meaningless when wide.
    struct Span
    {
        int32_t x0;
        int32_t z0;
        int32_t x1;
        int32_t z1;
        bool wide;

        bool operator==(const Span& other) const;
        bool operator!=(const Span& other) const;
        bool holds(int32_t x, int32_t z) const;
        // How many cells the span covers; 0 for a wide one.
        int64_t cellCount() const;
    };

    // A box as filed. Its place in the list travels with it, so that what a
    // query finds can be put in list order without reading the boxes.
    struct Entry
    {
        uint64_t order;
        TrokPhysics* box;
    };

    // The cells touched by [x0, x1] by [z0, z1]; either bound may be the larger.
    static Span cover(float x0, float x1, float z0, float z1);

    // Each returns where the box is now held: the span asked for, or a wide
    // one if the grid cannot stretch that far.
    Span add(const Entry& entry, const Span& span);
    void remove(const TrokPhysics* box, const Span& span);
    Span move(const Entry& entry, const Span& from, const Span& to);
    // Appends every box held in the span's cells, and every wide box. A box
    // covering several of the cells is appended once for each. A wide span
    // has no cells: its callers look at the whole list instead.
    void collect(const Span& span, std::vector<Entry>& found) const;

private:
    // Cells are kept in square blocks, so the few cells a box covers usually
    // lie in one block and close together in memory.
    static const int32_t kBlockShift = 3;
    static const int32_t kBlockSide = 1 << kBlockShift;
    struct Block
    {
        std::vector<Entry> cells[kBlockSide * kBlockSide];
    };

    // The blocks of a rectangle of the plane, row by row, found by index:
    // the rectangle grows to take in every box filed and is let go when
    // nothing is. Boxes beyond the largest rectangle allowed go aside.
    std::vector<std::unique_ptr<Block>> blocks;
    int32_t firstX = 0;     // the rectangle's corner block
    int32_t firstZ = 0;
    int32_t across = 0;     // its size in blocks
    int32_t down = 0;
    std::vector<Entry> wide;
    size_t filed = 0;       // entries in cells and aside

    Span holdable(const Span& span);
    bool reach(const Span& span);
    std::vector<Entry>* cell(int32_t x, int32_t z, bool make);
    const Block* blockAt(int32_t bx, int32_t bz) const;
    size_t blockIndex(int32_t bx, int32_t bz) const;   // of a block inside the rectangle
    void fileIn(const Entry& entry, const Span& span, const Span& skip);
    void takeOutOf(const TrokPhysics* box, const Span& span, const Span& skip);
};

#endif

#ifndef MORVELLANT_GAME_TROKGRID_H
#define MORVELLANT_GAME_TROKGRID_H

#include <cstdint>
#include <memory>
#include <unordered_map>
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
        // How many cells the span covers; 0 for a wide one.
        int64_t cellCount() const;
    };

    // The cells touched by [x0, x1] by [z0, z1]; either bound may be the larger.
    static Span cover(float x0, float x1, float z0, float z1);

    void add(TrokPhysics* box, const Span& span);
    void remove(TrokPhysics* box, const Span& span);
    void move(TrokPhysics* box, const Span& from, const Span& to);
    // Appends every box held in the span's cells, and every wide box. A box
    // covering several of the cells is appended once for each. A wide span
    // has no cells: its callers look at the whole list instead.
    void collect(const Span& span, std::vector<TrokPhysics*>& found) const;

private:
    // Cells are kept in square blocks, so the few cells a box covers usually
    // lie in one block, found with one look-up, and close together in memory.
    static const int32_t kBlockShift = 3;
    static const int32_t kBlockSide = 1 << kBlockShift;
    struct Block
    {
        std::vector<TrokPhysics*> cells[kBlockSide * kBlockSide];
    };

    std::unordered_map<uint64_t, std::unique_ptr<Block>> blocks;
    std::vector<TrokPhysics*> wide;
    size_t filed = 0;   // entries in cells and aside; with none, the blocks go

    // The cell's boxes; null if its block was never needed and make is false.
    std::vector<TrokPhysics*>* cell(int32_t x, int32_t z, bool make);
    const std::vector<TrokPhysics*>* cell(int32_t x, int32_t z) const;
    static uint64_t blockKey(int32_t x, int32_t z);
    static int32_t slot(int32_t x, int32_t z);
};

#endif

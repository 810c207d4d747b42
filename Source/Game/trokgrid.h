#ifndef MORVELLANT_GAME_TROKGRID_H
#define MORVELLANT_GAME_TROKGRID_H

#include <cstdint>
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
    std::unordered_map<uint64_t, std::vector<TrokPhysics*>> cells;
    std::vector<TrokPhysics*> wide;

    static uint64_t key(int32_t x, int32_t z);
};

#endif

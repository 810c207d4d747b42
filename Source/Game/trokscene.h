#ifndef MORVELLANT_GAME_TROKSCENE_H
#define MORVELLANT_GAME_TROKSCENE_H

#include <cstdint>
#include <vector>

class TrokObject;
class TrokView;

// The objects of a city arranged for drawing. Still objects are filed under
// the square blocks of cells their drawn boxes cover, so that a frame looks
// only at the blocks its view reaches, whatever the size of the city; the
// objects that move, and those too large to file, are looked at every
// frame. What it finds is tested against the view one by one as before and
// handed out in list order, so every frame shows the same picture.
class TrokScene
{
public:
    TrokScene();

    // Files the objects, given in list order; forgets what was filed before.
    void build(const std::vector<TrokObject*>& objects);
    // Appends the objects the view may show, in list order.
    void collect(const TrokView& view, std::vector<TrokObject*>& shown) const;

private:
    std::vector<TrokObject*> objects;   // the list, to find an object by its place in it
    std::vector<uint32_t> always;       // places of the objects looked at every frame
    // Block b of the rectangle, row by row, holds the places
    // filed[start[b]] up to filed[start[b + 1]].
    std::vector<uint32_t> start;
    std::vector<uint32_t> filed;
    int32_t firstX;                     // the rectangle of blocks: its corner block,
    int32_t firstZ;
    int32_t across;                     // and its size in blocks
    int32_t down;
    float lowest;                       // the heights the filed boxes reach
    float highest;

    // Looks at the square of side blocks from block (bx, bz) of the
    // rectangle, and in it at every block the view may reach.
    void visit(const TrokView& view, int32_t bx, int32_t bz, int32_t side, std::vector<uint32_t>& found) const;
};

#endif

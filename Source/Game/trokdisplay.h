#ifndef MORVELLANT_GAME_TROKDISPLAY_H
#define MORVELLANT_GAME_TROKDISPLAY_H

#include "Base/color.h"
#include "Base/vector.h"
#include "Game/trokcomponent.h"

class TrokObject;
class TrokView;

// Draws its object as one lit box in the fill colour with unlit outlines in
// the stroke colour: the edges, plus a ring at every whole unit along each
// axis, so that a 3 x 1 x 2 box reads as six unit cubes. An alpha of 0 leaves
// out the body or the outlines. Size and placement come from the physics.
class TrokDisplay : public TrokComponent
{
public:
    TrokDisplay(TrokObject* parent, Color fill, Color stroke);

    Color getFillColor() const;
    void setFillColor(Color color);
    // The box at the physics' centre and facing.
    void draw() const;
    // A box of the given size centred on the current origin. Sizes are
    // rounded to whole units, halves to even. Given the view in the box's own
    // coordinates, the rings wholly outside it are left out: they would not
    // make a pixel, and the ground of a big city has thousands.
    static void makeCube(Color fill, Color stroke, Vector size, const TrokView* view = nullptr);

private:
    Color fill;
    Color stroke;
};

#endif

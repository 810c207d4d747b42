#ifndef MORVELLANT_GAME_TROKVIEW_H
#define MORVELLANT_GAME_TROKVIEW_H

#include "Base/vector.h"

// The part of the world that the current projection and model-view can show:
// the six planes of the view volume, in world coordinates. Whatever lies
// wholly outside one of them is clipped away to the last fragment, so
// leaving it undrawn changes no pixel; in a big city most blocks are there.
class TrokView
{
public:
    // Off, every view shows everything: the tests draw both ways and compare.
    static bool enabled;

    // The view of the matrices current in OpenGL. A context that answers
    // with no matrix at all gives a view that shows everything.
    static TrokView current();
    // From column-major 4 x 4 matrices, as OpenGL hands them out.
    TrokView(const float projection[16], const float modelview[16]);

    // False only when no part of a box centred on centre, of the given
    // extent and turned any way, can reach the screen. Generous by a hair,
    // so that rounding never hides a pixel.
    bool mayShow(Vector centre, Vector size) const;
    // False only when no part of the box centred on centre, reaching half
    // along each axis of these coordinates, can reach the screen. Closer
    // than mayShow for long and flat boxes, which it cannot turn.
    bool mayShowBox(Vector centre, Vector half) const;

private:
    double planes[6][4];    // a x + b y + c z + d >= 0 inside, (a, b, c) of length 1
    bool bounded[6];        // false: a plane the matrices do not define

    TrokView();
    // False only when the box of the given half extents, grown by radius in
    // every direction, lies wholly outside one of the planes.
    bool mayReach(Vector centre, Vector half, double radius) const;
};

#endif

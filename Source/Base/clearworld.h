#ifndef MORVELLANT_BASE_CLEARWORLD_H
#define MORVELLANT_BASE_CLEARWORLD_H

#include "Base/color.h"
#include "Base/worldobject.h"

// Registered first: clears the frame so the later worlds draw on fresh
// buffers, and lets the background colour drift slowly.
class ClearWorld : public WorldObject
{
public:
    ClearWorld();

    void input() override;
    void think() override;
    void output() override;

protected:
    Color bgcolor;

    void applyClearColor() const;
};

#endif

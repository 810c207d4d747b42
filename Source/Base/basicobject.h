#ifndef MORVELLANT_BASE_BASICOBJECT_H
#define MORVELLANT_BASE_BASICOBJECT_H

#include "Base/location.h"

// A drawable thing with a place and a facing.
class BasicObject
{
public:
    Location loc;

    BasicObject();

    virtual void draw() = 0;

protected:
    // Never deleted through this base: no virtual destructor is needed, and
    // a protected one keeps anyone from trying.
    ~BasicObject() = default;
};

#endif

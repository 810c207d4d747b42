#ifndef MORVELLANT_BASE_BASICCAMERA_H
#define MORVELLANT_BASE_BASICCAMERA_H

#include "Base/basicobject.h"

// Loads the projection and view matrices for a world; drawn first in a
// world's output. The fields are set directly by the world that owns it.
class BasicCamera : public BasicObject
{
public:
    float fieldOfViewY;  // degrees, perspective only
    float aspectRatio;   // width / height; the right edge when orthographic
    float clipNear;
    float clipFar;
    bool ortho;

    BasicCamera();

    void reset();
    void draw() override;
};

#endif

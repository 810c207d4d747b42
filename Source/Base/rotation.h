#ifndef MORVELLANT_BASE_ROTATION_H
#define MORVELLANT_BASE_ROTATION_H

#include <ostream>

#include "Base/vector.h"

// An orientation held as angles in radians; callers give degrees.
// At rest a thing faces -z, its up is +y and its right is +x.
class Rotation
{
public:
    float theta;  // heading, about y; turning right lowers it
    float phi;    // pitch, looking up is positive
    float rho;    // roll: kept and printed, never applied

    static const Vector forward;
    static const Vector up;
    static const Vector right;

    Rotation();

    void reset();
    Vector findForward() const;
    Vector findUp() const;
    Vector findRight() const;
    void lookUp(float degrees);
    // Whole turns beyond +-360 are dropped; a non-finite turn is ignored.
    void turnRight(float degrees);
    void rollRight(float degrees);
    void face(Vector direction);
    void use() const;
};

std::ostream& operator<<(std::ostream& out, const Rotation& r);

#endif

#ifndef MORVELLANT_BASE_LOCATION_H
#define MORVELLANT_BASE_LOCATION_H

#include <ostream>

#include "Base/rotation.h"
#include "Base/vector.h"

// Where a thing stands and which way it faces.
class Location : public Position, public Rotation
{
public:
    Location();

    void reset();
    void moveForward(float d);  // follows the pitch too: changes y when phi != 0
    void moveBackward(float d);
    void moveRight(float d);
    void moveLeft(float d);
    void moveUp(float d);
    void moveDown(float d);
    // Translation first, then the rotation: drawing turns about its own origin.
    void use() const;
};

// Three lines: "LOCATION:", the position and rotation, the forward and up axes.
std::ostream& operator<<(std::ostream& out, const Location& loc);

#endif

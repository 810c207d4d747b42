#include "Base/location.h"

Location::Location()
    : Position(), Rotation()
{
}

void Location::reset()
{
    Position::set(0.0f, 0.0f, 0.0f);
    Rotation::reset();
}

void Location::moveForward(float d)
{
    move(findForward() * d);
}

void Location::moveBackward(float d)
{
    moveForward(-d);
}

void Location::moveRight(float d)
{
    move(findRight() * d);
}

void Location::moveLeft(float d)
{
    moveRight(-d);
}

void Location::moveUp(float d)
{
    move(findUp() * d);
}

void Location::moveDown(float d)
{
    moveUp(-d);
}

void Location::use() const
{
    Position::use();
    Rotation::use();
}

std::ostream& operator<<(std::ostream& out, const Location& loc)
{
    const Vector& position = loc;
    const Rotation& rotation = loc;
    out << "LOCATION:" << std::endl;
    out << "position: " << position << "\t" << "rotation: " << rotation << std::endl;
    out << "forward: " << loc.findForward() << "\t" << "up: " << loc.findUp() << std::endl;
    return out;
}

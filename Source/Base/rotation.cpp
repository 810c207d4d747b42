#include "Base/rotation.h"

#include <GL/gl.h>

#include <cmath>

const Vector Rotation::forward(0.0f, 0.0f, -1.0f);
const Vector Rotation::up(0.0f, 1.0f, 0.0f);
const Vector Rotation::right(1.0f, 0.0f, 0.0f);

// Just below pi/2, so that tan(phi) stays finite.
static const float kPitchLimit = 1.5707953f;
static const float kTwoPi = 6.2831855f;

static float toRadians(float degrees)
{
    return static_cast<float>(static_cast<double>(degrees / 180.0f) * M_PI);
}

static float toDegrees(float radians)
{
    return static_cast<float>(static_cast<double>(radians) / M_PI * 180.0);
}

Rotation::Rotation()
{
    reset();
}

void Rotation::reset()
{
    theta = 0.0f;
    phi = 0.0f;
    rho = 0.0f;
}

Vector Rotation::findForward() const
{
    // Horizontal part of length 1, vertical tan(phi): rises at exactly phi.
    const float fx = static_cast<float>(-std::sin(static_cast<double>(theta)));
    const float fy = static_cast<float>(std::tan(static_cast<double>(phi)));
    const float fz = static_cast<float>(-std::cos(static_cast<double>(theta)));
    return Vector(fx, fy, fz).normalize();
}

Vector Rotation::findUp() const
{
    return up;
}

Vector Rotation::findRight() const
{
    return findForward().crossProduct(findUp()).normalize();
}

void Rotation::lookUp(float degrees)
{
    phi += toRadians(degrees);
    if (phi > kPitchLimit) {
        phi = kPitchLimit;
    }
    if (phi < -kPitchLimit) {
        phi = -kPitchLimit;
    }
}

void Rotation::turnRight(float degrees)
{
    // A turn without a size (infinite or not a number) is ignored: reducing it
    // by whole turns would never end, and it would poison the heading.
    if (!std::isfinite(degrees)) {
        return;
    }
    // Drop whole turns but keep a turn of exactly +-360. fmod is exact, so this
    // equals subtracting 360 repeatedly, also where repeated subtraction would
    // no longer change a huge float and loop for ever.
    if (std::fabs(degrees) > 360.0f) {
        const float wholeTurn = std::copysign(360.0f, degrees);
        degrees = std::fmod(degrees, 360.0f);
        if (degrees == 0.0f) {
            degrees = wholeTurn;
        }
    }
    theta -= toRadians(degrees);
    if (theta > kTwoPi) {
        theta -= kTwoPi;
    }
    if (theta < -kTwoPi) {
        theta += kTwoPi;
    }
}

void Rotation::rollRight(float)
{
}

void Rotation::face(Vector direction)
{
    reset();
    const Vector d = direction.normalize();
    theta = static_cast<float>(std::atan2(static_cast<double>(-d.x), static_cast<double>(-d.z)));
    const float horizontalSquared = d.x * d.x + d.z * d.z;
    phi = static_cast<float>(std::atan2(static_cast<double>(d.y),
                                        std::sqrt(static_cast<double>(horizontalSquared))));
}

void Rotation::use() const
{
    glRotatef(toDegrees(phi), 1.0f, 0.0f, 0.0f);
    glRotatef(toDegrees(theta), 0.0f, 1.0f, 0.0f);
}

std::ostream& operator<<(std::ostream& out, const Rotation& r)
{
    out << "(" << r.theta << "," << r.phi << "," << r.rho << ")";
    return out;
}

#include "Base/vector.h"

#include <GL/gl.h>

#include <cmath>

Vector::Vector()
    : x(0.0f), y(0.0f), z(0.0f)
{
}

Vector::Vector(float x, float y, float z)
    : x(x), y(y), z(z)
{
}

float Vector::getx() const { return x; }
float Vector::gety() const { return y; }
float Vector::getz() const { return z; }

float* Vector::getv()
{
    vec[0] = x;
    vec[1] = y;
    vec[2] = z;
    return vec;
}

void Vector::setx(float value) { x = value; }
void Vector::sety(float value) { y = value; }
void Vector::setz(float value) { z = value; }

void Vector::set(float nx, float ny, float nz)
{
    x = nx;
    y = ny;
    z = nz;
}

void Vector::set(Vector v)
{
    set(v.x, v.y, v.z);
}

Vector& Vector::operator=(const Vector& other)
{
    set(other.x, other.y, other.z);
    return *this;
}

bool Vector::operator==(const Vector& other) const
{
    return x == other.x && y == other.y && z == other.z;
}

Vector Vector::operator+(Vector v) const
{
    return Vector(x + v.x, y + v.y, z + v.z);
}

Vector Vector::operator-(Vector v) const
{
    return Vector(x - v.x, y - v.y, z - v.z);
}

Vector Vector::multiply(float s) const
{
    return Vector(x * s, y * s, z * s);
}

Vector Vector::operator*(float s) const
{
    return multiply(s);
}

Vector Vector::divide(float s) const
{
    return Vector(x / s, y / s, z / s);
}

Vector Vector::operator/(float s) const
{
    return divide(s);
}

float Vector::dotProduct(const Vector& b) const
{
    return x * b.x + y * b.y + z * b.z;
}

Vector Vector::crossProduct(const Vector& b) const
{
    return Vector(y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x);
}

float Vector::lengthSquared() const
{
    return x * x + y * y + z * z;
}

float Vector::length() const
{
    return static_cast<float>(std::sqrt(static_cast<double>(lengthSquared())));
}

float Vector::angle(const Vector& b) const
{
    return static_cast<float>(std::acos(dotProduct(b) / (length() * b.length())));
}

Vector Vector::normalize() const
{
    const float len = length();
    // Too short to have a direction: no direction rather than a blow-up.
    if (static_cast<double>(len) < 1e-7) {
        return Vector(0.0f, 0.0f, 0.0f);
    }
    return divide(len);
}

std::ostream& operator<<(std::ostream& out, const Vector& v)
{
    out << "(" << v.x << "," << v.y << "," << v.z << ")";
    return out;
}

Position::Position()
    : Vector()
{
}

Position::Position(float x, float y, float z)
    : Vector(x, y, z)
{
}

void Position::move(Vector delta)
{
    Vector::operator=(*this + delta);
}

void Position::use() const
{
    glTranslatef(x, y, z);
}

#ifndef MORVELLANT_BASE_VECTOR_H
#define MORVELLANT_BASE_VECTOR_H

#include <ostream>

// Three floats: positions, sizes, velocities, directions. A value type whose
// operations return new vectors and leave the receiver unchanged.
class Vector
{
public:
    float x;
    float y;
    float z;
    // Scratch copy for OpenGL "3fv" entry points, filled only by getv().
    float vec[3];

    Vector();
    Vector(float x, float y, float z);
    Vector(const Vector& other) = default;

    float getx() const;
    float gety() const;
    float getz() const;
    float* getv();

    void setx(float value);
    void sety(float value);
    void setz(float value);
    void set(float nx, float ny, float nz);
    void set(Vector v);

    Vector& operator=(const Vector& other);
    bool operator==(const Vector& other) const;
    Vector operator+(Vector v) const;
    Vector operator-(Vector v) const;
    Vector multiply(float s) const;
    Vector operator*(float s) const;
    Vector divide(float s) const;
    Vector operator/(float s) const;

    float dotProduct(const Vector& b) const;
    Vector crossProduct(const Vector& b) const;
    float lengthSquared() const;
    float length() const;
    float angle(const Vector& b) const;
    Vector normalize() const;
};

// Writes "(x,y,z)" with the stream's current float formatting.
std::ostream& operator<<(std::ostream& out, const Vector& v);

// A vector that can move itself and apply itself as a translation.
class Position : public Vector
{
public:
    Position();
    Position(float x, float y, float z);

    void move(Vector delta);
    void use() const;
};

#endif

#include "Game/trokview.h"

#include <GL/gl.h>

#include <cmath>

bool TrokView::enabled = true;

// Below this the plane is no plane: a matrix of zeros, for one.
static const double kShortestNormal = 1e-12;

TrokView::TrokView()
    : planes(), bounded()
{
}

TrokView TrokView::current()
{
    if (!enabled) {
        return TrokView();
    }
    GLfloat projection[16] = {};
    GLfloat modelview[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    return TrokView(projection, modelview);
}

TrokView::TrokView(const float projection[16], const float modelview[16])
    : planes(), bounded()
{
    // Clip coordinates are projection x model-view x the world point; the
    // volume is -w <= x, y, z <= w, so each plane is row 4 plus or minus
    // one of the first three rows of the product.
    double m[16];
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += static_cast<double>(projection[k * 4 + row]) * modelview[col * 4 + k];
            }
            m[col * 4 + row] = sum;
        }
    }
    for (int p = 0; p < 6; ++p) {
        const int row = p / 2;
        const double sign = p % 2 == 0 ? 1.0 : -1.0;
        double plane[4];
        for (int col = 0; col < 4; ++col) {
            plane[col] = m[col * 4 + 3] + sign * m[col * 4 + row];
        }
        const double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        bounded[p] = length > kShortestNormal && std::isfinite(length);
        for (int k = 0; k < 4; ++k) {
            planes[p][k] = bounded[p] ? plane[k] / length : 0.0;
        }
    }
}

bool TrokView::mayShow(Vector centre, Vector size) const
{
    // The box is drawn at its size rounded to whole units and turned about
    // its centre: the sphere around the larger of both holds it however it
    // is turned.
    const double x = std::fmax(std::fabs(size.x), std::fabs(std::rint(size.x)));
    const double y = std::fmax(std::fabs(size.y), std::fabs(std::rint(size.y)));
    const double z = std::fmax(std::fabs(size.z), std::fabs(std::rint(size.z)));
    return mayReach(centre, Vector(0.0f, 0.0f, 0.0f), 0.5 * std::sqrt(x * x + y * y + z * z));
}

bool TrokView::mayShowBox(Vector centre, Vector half) const
{
    return mayReach(centre, half, 0.0);
}

bool TrokView::mayReach(Vector centre, Vector half, double radius) const
{
    for (int p = 0; p < 6; ++p) {
        if (!bounded[p]) {
            continue;
        }
        const double* plane = planes[p];
        // The sphere's radius plus the box's corner farthest inside the
        // plane, with a hair of room so that rounding never hides a pixel.
        // What is not a number is never left out.
        const double reach = radius + std::fabs(plane[0]) * half.x + std::fabs(plane[1]) * half.y +
                             std::fabs(plane[2]) * half.z;
        const double distance = plane[0] * centre.x + plane[1] * centre.y + plane[2] * centre.z + plane[3];
        if (std::isfinite(distance) && std::isfinite(reach) && distance < -(reach * 1.001 + 0.01)) {
            return false;
        }
    }
    return true;
}

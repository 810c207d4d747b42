#ifndef MORVELLANT_TESTS_COMPARE_H
#define MORVELLANT_TESTS_COMPARE_H

#include <gtest/gtest.h>

#include <vector>

#include "Base/color.h"
#include "Base/vector.h"

// Vectors computed in float: close enough is the distance between them.
inline void expectNear(const Vector& got, const Vector& want, float tolerance = 1e-5f)
{
    EXPECT_LT((got - want).length(), tolerance) << got << " is not " << want;
}

// A colour as one comparable, printable value.
typedef std::vector<int> Rgba;

inline Rgba rgba(const Color& c)
{
    return { c.getr(), c.getg(), c.getb(), c.geta() };
}

#endif

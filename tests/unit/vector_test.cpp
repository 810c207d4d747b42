#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>

#include "Base/vector.h"
#include "double/gldouble.h"

static std::string text(const Vector& v)
{
    std::ostringstream out;
    out << v;
    return out.str();
}

TEST(Vector, OperationsReturnNewVectorsAndLeaveTheReceiver)
{
    const Vector v(3, 0, 4);
    EXPECT_EQ(v.normalize(), Vector(0.6f, 0, 0.8f));
    EXPECT_EQ(v.multiply(2), Vector(6, 0, 8));
    EXPECT_EQ(v * 2, Vector(6, 0, 8));
    EXPECT_EQ(v.divide(2), Vector(1.5f, 0, 2));
    EXPECT_EQ(v / 2, Vector(1.5f, 0, 2));
    EXPECT_EQ(v + Vector(1, 2, 3), Vector(4, 2, 7));
    EXPECT_EQ(v - Vector(1, 2, 3), Vector(2, -2, 1));
    EXPECT_EQ(v, Vector(3, 0, 4));
    EXPECT_EQ(v.length(), 5.0f);
    EXPECT_EQ(v.lengthSquared(), 25.0f);
    EXPECT_EQ(v.dotProduct(Vector(1, 2, 3)), 15.0f);

    // Division by zero is not guarded: IEEE infinities.
    EXPECT_TRUE(std::isinf(v.divide(0).x));
}

TEST(Vector, NormalizeGivesNoDirectionBelowTheThreshold)
{
    EXPECT_EQ(Vector().normalize(), Vector(0, 0, 0));
    EXPECT_EQ(Vector(5e-8f, 0, 0).normalize(), Vector(0, 0, 0));
    EXPECT_EQ(Vector(0, -4e-8f, 4e-8f).normalize(), Vector(0, 0, 0));
    // Just above the threshold the vector still has a direction.
    const Vector small(0, 2e-7f, 0);
    EXPECT_EQ(small.normalize(), Vector(0, 1, 0));
    EXPECT_EQ(small, Vector(0, 2e-7f, 0));
}

TEST(Vector, CrossProductsAndAngles)
{
    EXPECT_EQ(Vector(1, 0, 0).crossProduct(Vector(0, 1, 0)), Vector(0, 0, 1));
    EXPECT_EQ(Vector(0, 0, -1).crossProduct(Vector(0, 1, 0)), Vector(1, 0, 0));
    EXPECT_EQ(Vector(0, 1, 0).crossProduct(Vector(1, 0, 0)), Vector(0, 0, -1));
    EXPECT_FLOAT_EQ(Vector(1, 0, 0).angle(Vector(0, 5, 0)), static_cast<float>(M_PI / 2));
    EXPECT_TRUE(std::isnan(Vector().angle(Vector(1, 0, 0))));
}

TEST(Vector, ComparisonIsExactFloatEquality)
{
    EXPECT_TRUE(Vector(0, 0, 0) == Vector(-0.0f, 0, 0));
    const Vector nan(NAN, 0, 0);
    EXPECT_FALSE(nan == nan);
    EXPECT_FALSE(Vector(1, 2, 3) == Vector(1, 2, 3.0001f));

    // The scratch array takes no part in comparison and is not assigned.
    Vector a(1, 2, 3);
    Vector b(9, 9, 9);
    b.getv();
    b = a;
    EXPECT_TRUE(a == b);
    EXPECT_EQ(b.vec[0], 9.0f);
}

TEST(Vector, ScratchArrayAndStreamOutput)
{
    Vector v;
    v.set(4, 5, 6);
    const float* p = v.getv();
    EXPECT_EQ(p, v.vec);
    EXPECT_EQ(p[0], 4.0f);
    EXPECT_EQ(p[1], 5.0f);
    EXPECT_EQ(p[2], 6.0f);
    v.setx(7);
    EXPECT_EQ(p[0], 4.0f);  // refreshed only by getv
    EXPECT_EQ(v.getv()[0], 7.0f);

    EXPECT_EQ(text(Vector(1, 2.5f, -3)), "(1,2.5,-3)");
    EXPECT_EQ(text(Vector()), "(0,0,0)");
    std::ostringstream fixed;
    fixed << std::fixed << std::setprecision(1) << Vector(1, 2.5f, -3);
    EXPECT_EQ(fixed.str(), "(1.0,2.5,-3.0)");
}

TEST(Position, MovesAndTranslates)
{
    gldouble::reset();
    Position p;
    p.move(Vector(1, 2, 3));
    EXPECT_EQ(p, Vector(1, 2, 3));
    p.use();
    ASSERT_EQ(gldouble::calls().size(), 1u);
    EXPECT_EQ(gldouble::calls()[0].name, "glTranslatef");
    EXPECT_EQ(gldouble::calls()[0].args, (std::vector<double>{ 1, 2, 3 }));
}

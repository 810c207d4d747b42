#include <gtest/gtest.h>

#include <cmath>

#include "Base/vector.h"

TEST(Vector, OperationsLeaveTheReceiverAndNormalizeGuardsShortVectors)
{
    const Vector v(3, 0, 4);
    EXPECT_EQ(v.normalize(), Vector(0.6f, 0, 0.8f));
    EXPECT_EQ(v.multiply(2), Vector(6, 0, 8));
    EXPECT_EQ(v / 2, Vector(1.5f, 0, 2));
    EXPECT_EQ(v, Vector(3, 0, 4));
    EXPECT_EQ(Vector().normalize(), Vector(0, 0, 0));
    EXPECT_EQ(Vector(0, -4e-8f, 4e-8f).normalize(), Vector(0, 0, 0));
    EXPECT_FLOAT_EQ(Vector(0, 2e-7f, 0).normalize().y, 1.0f);  // just above the threshold
    EXPECT_EQ(Vector(1, 0, 0).crossProduct(Vector(0, 1, 0)), Vector(0, 0, 1));
    EXPECT_EQ(Vector(0, 0, -1).crossProduct(Vector(0, 1, 0)), Vector(1, 0, 0));
}

TEST(Vector, ComparisonScratchArrayAndStreamOutput)
{
    EXPECT_TRUE(Vector(0, 0, 0) == Vector(-0.0f, 0, 0));
    const Vector nan(NAN, 0, 0);
    EXPECT_FALSE(nan == nan);

    Vector v(4, 5, 6);
    const float* p = v.getv();
    EXPECT_EQ(std::vector<float>(p, p + 3), (std::vector<float>{ 4, 5, 6 }));
    v.setx(7);
    EXPECT_EQ(p[0], 4.0f);  // refreshed only by getv
    EXPECT_EQ(v.getv()[0], 7.0f);

    std::ostringstream out;
    out << Vector(1, 2.5f, -3) << Vector();
    EXPECT_EQ(out.str(), "(1,2.5,-3)(0,0,0)");
}

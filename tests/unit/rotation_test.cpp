#include <gtest/gtest.h>

#include <cmath>

#include "Base/location.h"
#include "Base/rotation.h"
#include "double/gldouble.h"
#include "support/compare.h"

// A few float roundings from exact: tighter than the game's positions need.
static const float kTight = 1e-6f;

TEST(Rotation, FaceTurnsTowardsTheDirection)
{
    struct Case { Vector direction; double theta, phi; };
    const Case cases[] = {
        { Vector(0, 0, -5), 0, 0 },
        { Vector(1, 0, 0), -M_PI / 2, 0 },
        { Vector(0, -45, -5), 0, -std::atan2(45.0, 5.0) },
        { Vector(2, 3, -1), std::atan2(-2.0, 1.0), std::atan2(3.0, std::sqrt(5.0)) },
        { Vector(0, 0, 0), -M_PI, 0 },  // both atan2 calls see zeros, the first signed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.direction));
        Rotation r;
        r.rho = 1;
        r.face(c.direction);
        EXPECT_FLOAT_EQ(r.theta, static_cast<float>(c.theta));
        EXPECT_FLOAT_EQ(r.phi, static_cast<float>(c.phi));
        EXPECT_EQ(r.rho, 0.0f);
        if (!(c.direction == Vector(0, 0, 0))) {
            expectNear(r.findForward(), c.direction.normalize(), kTight);
        }
    }
}

TEST(Rotation, LookUpClampsAndTurnRightWraps)
{
    Rotation r;
    r.lookUp(1000);
    EXPECT_EQ(r.phi, 1.5707953f);
    r.lookUp(-1000);
    EXPECT_EQ(r.phi, -1.5707953f);

    r.reset();
    r.turnRight(720);  // reduced to 360, and exactly -2pi is not wrapped
    EXPECT_EQ(r.theta, -6.2831855f);
    r.reset();
    r.turnRight(90);
    EXPECT_FLOAT_EQ(r.theta, static_cast<float>(-M_PI / 2));
    expectNear(r.findForward(), Vector(1, 0, 0), kTight);
    expectNear(r.findRight(), Vector(0, 0, 1), kTight);
    r.turnRight(300);  // passes -2pi: wrapped once
    EXPECT_NEAR(r.theta, -M_PI / 6, 1e-6);

    // Turns without a size are ignored rather than spinning forever.
    const float before = r.theta;
    r.turnRight(INFINITY);
    r.turnRight(NAN);
    EXPECT_EQ(r.theta, before);
    r.turnRight(1e30f);  // finite, but subtracting 360 no longer changes it
    EXPECT_LE(std::fabs(r.theta), 6.2831855f);
    // Dropping whole turns is exact: a long turn equals the short one.
    Rotation longTurn, shortTurn;
    longTurn.turnRight(-(7 * 360 + 12.25f));
    shortTurn.turnRight(-12.25f);
    EXPECT_EQ(longTurn.theta, shortTurn.theta);
}

TEST(Location, MovesAlongItsAxesAppliesItselfAndPrints)
{
    gldouble::reset();
    Location loc;
    loc.moveRight(1);
    EXPECT_EQ(loc, Vector(1, 0, 0));
    loc.lookUp(45);
    loc.turnRight(90);
    loc.moveUp(2);
    EXPECT_EQ(loc, Vector(1, 2, 0));
    loc.moveForward(std::sqrt(2.0f));  // forward follows the pitch
    expectNear(loc, Vector(2, 3, 0), kTight);

    loc.use();
    ASSERT_EQ(gldouble::names(), (std::vector<std::string>{ "glTranslatef", "glRotatef", "glRotatef" }));
    const std::vector<double> want[] = { { 2, 3, 0 }, { 45, 1, 0, 0 }, { -90, 0, 1, 0 } };
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(gldouble::calls()[i].args.size(), want[i].size());
        for (size_t j = 0; j < want[i].size(); ++j) {
            EXPECT_NEAR(gldouble::calls()[i].args[j], want[i][j], 1e-5) << "call " << i << " argument " << j;
        }
    }

    loc.reset();
    std::ostringstream out;
    out << loc;
    EXPECT_EQ(out.str(), "LOCATION:\nposition: (0,0,0)\trotation: (0,0,0)\nforward: (-0,0,-1)\tup: (0,1,0)\n");
}

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "Base/location.h"
#include "Base/rotation.h"
#include "double/gldouble.h"

static void expectNear(const Vector& got, const Vector& want)
{
    EXPECT_NEAR(got.x, want.x, 1e-6) << got;
    EXPECT_NEAR(got.y, want.y, 1e-6) << got;
    EXPECT_NEAR(got.z, want.z, 1e-6) << got;
}

TEST(Rotation, ResetLocationPrintsThreeExactLines)
{
    Location loc;
    loc.moveUp(3);
    loc.turnRight(10);
    loc.reset();
    std::ostringstream out;
    out << loc;
    EXPECT_EQ(out.str(),
              "LOCATION:\n"
              "position: (0,0,0)\trotation: (0,0,0)\n"
              "forward: (-0,0,-1)\tup: (0,1,0)\n");
}

TEST(Rotation, FaceTurnsTowardsTheDirection)
{
    Rotation r;
    r.rho = 1;
    r.face(Vector(0, 0, -5));
    EXPECT_EQ(r.theta, 0.0f);
    EXPECT_EQ(r.phi, 0.0f);
    EXPECT_EQ(r.rho, 0.0f);

    r.face(Vector(1, 0, 0));
    EXPECT_FLOAT_EQ(r.theta, static_cast<float>(-M_PI / 2));
    expectNear(r.findForward(), Vector(1, 0, 0));

    r.face(Vector(0, -45, -5));
    EXPECT_EQ(r.theta, 0.0f);
    EXPECT_FLOAT_EQ(r.phi, static_cast<float>(-std::atan2(45.0, 5.0)));

    // No direction at all: both atan2 calls see zeros, the first signed.
    r.face(Vector(0, 0, 0));
    EXPECT_EQ(r.theta, static_cast<float>(-M_PI));
    EXPECT_EQ(r.phi, 0.0f);

    r.face(Vector(2, 3, -1));
    expectNear(r.findForward(), Vector(2, 3, -1).normalize());
}

TEST(Rotation, LookUpClampsAndTurnRightWraps)
{
    Rotation r;
    r.lookUp(1000);
    EXPECT_EQ(r.phi, 1.5707953f);
    EXPECT_TRUE(std::isfinite(r.findForward().y));
    r.lookUp(-1000);
    EXPECT_EQ(r.phi, -1.5707953f);

    r.reset();
    r.turnRight(720);  // reduced to 360, and exactly -2pi is not wrapped
    EXPECT_EQ(r.theta, -6.2831855f);

    r.reset();
    r.turnRight(90);
    EXPECT_FLOAT_EQ(r.theta, static_cast<float>(-M_PI / 2));
    expectNear(r.findForward(), Vector(1, 0, 0));
    expectNear(r.findRight(), Vector(0, 0, 1));
    r.turnRight(300);  // passes -2pi: wrapped once
    EXPECT_NEAR(r.theta, -M_PI / 6, 1e-6);
}

TEST(Rotation, TurnsWithoutASizeAreIgnoredRatherThanSpinningForever)
{
    Rotation r;
    r.turnRight(30);
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

TEST(Location, MovesAlongItsAxesAndAppliesItself)
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
    expectNear(loc, Vector(2, 3, 0));

    loc.use();
    const auto& calls = gldouble::calls();
    ASSERT_EQ(gldouble::names(), (std::vector<std::string>{ "glTranslatef", "glRotatef", "glRotatef" }));
    expectNear(Vector(calls[0].args[0], calls[0].args[1], calls[0].args[2]), Vector(2, 3, 0));
    EXPECT_FLOAT_EQ(calls[1].args[0], 45.0f);
    EXPECT_EQ(std::vector<double>(calls[1].args.begin() + 1, calls[1].args.end()),
              (std::vector<double>{ 1, 0, 0 }));
    EXPECT_FLOAT_EQ(calls[2].args[0], -90.0f);
    EXPECT_EQ(std::vector<double>(calls[2].args.begin() + 1, calls[2].args.end()),
              (std::vector<double>{ 0, 1, 0 }));

    // The rotation alone applies only the two turns.
    gldouble::clearCalls();
    static_cast<const Rotation&>(loc).use();
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glRotatef", "glRotatef" }));
}

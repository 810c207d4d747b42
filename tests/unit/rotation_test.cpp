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

    Rotation r;
    r.theta = 1.5f;
    r.phi = -0.25f;
    r.rho = 2;
    std::ostringstream angles;
    angles << r;
    EXPECT_EQ(angles.str(), "(1.5,-0.25,2)");
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
    EXPECT_NEAR(r.phi, -1.4601, 1e-4);

    // No direction at all: both atan2 calls see zeros, the first signed.
    r.face(Vector(0, 0, 0));
    EXPECT_EQ(r.theta, static_cast<float>(-M_PI));
    EXPECT_EQ(r.phi, 0.0f);

    const Vector d(2, 3, -1);
    r.face(d);
    expectNear(r.findForward(), d.normalize());
}

TEST(Rotation, LookUpClampsBelowAQuarterTurn)
{
    Rotation r;
    r.lookUp(30);
    EXPECT_FLOAT_EQ(r.phi, static_cast<float>(M_PI / 6));
    r.lookUp(1000);
    EXPECT_EQ(r.phi, 1.5707953f);
    EXPECT_TRUE(std::isfinite(r.findForward().y));
    r.lookUp(-1000);
    EXPECT_EQ(r.phi, -1.5707953f);
    r.lookUp(-INFINITY);
    EXPECT_EQ(r.phi, -1.5707953f);
}

TEST(Rotation, TurnRightWrapsWholeTurns)
{
    Rotation r;
    r.turnRight(720);  // reduced to 360, and exactly -2pi is not wrapped
    EXPECT_EQ(r.theta, -6.2831855f);

    r.reset();
    r.turnRight(90);
    EXPECT_FLOAT_EQ(r.theta, static_cast<float>(-M_PI / 2));
    expectNear(r.findForward(), Vector(1, 0, 0));
    expectNear(r.findRight(), Vector(0, 0, 1));

    r.turnRight(-3 * 360 - 90);  // a left turn back to rest
    EXPECT_NEAR(r.theta, 0.0f, 1e-6);

    // Two three-quarter right turns pass -2pi and wrap once.
    r.reset();
    r.turnRight(270);
    r.turnRight(270);
    EXPECT_NEAR(r.theta, -M_PI, 1e-5);

    // Reduction of a long turn matches the short one exactly.
    Rotation longTurn, shortTurn;
    longTurn.turnRight(5 * 360 + 45.5f);
    shortTurn.turnRight(45.5f);
    EXPECT_EQ(longTurn.theta, shortTurn.theta);
    longTurn.turnRight(-(7 * 360 + 12.25f));
    shortTurn.turnRight(-12.25f);
    EXPECT_EQ(longTurn.theta, shortTurn.theta);
}

TEST(Rotation, TurnsWithoutASizeAreIgnoredRatherThanSpinningForever)
{
    Rotation r;
    r.turnRight(30);
    const float before = r.theta;
    r.turnRight(INFINITY);
    r.turnRight(-INFINITY);
    r.turnRight(NAN);
    EXPECT_EQ(r.theta, before);
    r.turnRight(1e30f);  // finite but far beyond what subtracting 360 can reduce
    EXPECT_TRUE(std::isfinite(r.theta));
    EXPECT_LE(std::fabs(r.theta), 6.2831855f);
}

TEST(Rotation, AxesAndRoll)
{
    Rotation r;
    expectNear(r.findRight(), Vector(1, 0, 0));
    r.lookUp(40);
    r.turnRight(-25);
    r.rollRight(30);
    EXPECT_EQ(r.rho, 0.0f);
    EXPECT_EQ(r.findUp(), Vector(0, 1, 0));
    const Vector right = r.findRight();
    EXPECT_EQ(right.y, 0.0f);
    EXPECT_NEAR(right.length(), 1.0f, 1e-6);
    EXPECT_NEAR(right.dotProduct(r.findForward()), 0.0f, 1e-6);
    // Forward rises at exactly the pitch.
    const Vector f = r.findForward();
    EXPECT_NEAR(std::atan2(f.y, std::sqrt(f.x * f.x + f.z * f.z)), 40 * M_PI / 180, 1e-6);
}

TEST(Location, MovesAlongItsAxes)
{
    Location loc;
    loc.moveRight(1);
    EXPECT_EQ(loc, Vector(1, 0, 0));
    loc.moveLeft(1);
    loc.moveForward(2);
    expectNear(loc, Vector(0, 0, -2));
    loc.moveBackward(2);
    expectNear(loc, Vector(0, 0, 0));

    loc.turnRight(33);
    loc.lookUp(-60);
    const Vector before = loc;
    loc.moveUp(2);
    EXPECT_EQ(loc, before + Vector(0, 2, 0));
    loc.moveDown(2);
    expectNear(loc, before);

    // Forward follows the pitch: looking down, moving forward sinks.
    loc.moveForward(1);
    EXPECT_NEAR(loc.y, before.y + std::sin(-60 * M_PI / 180), 1e-6);
}

TEST(Location, UseTranslatesThenPitchesThenTurns)
{
    gldouble::reset();
    Location loc;
    loc.set(1, 2, 3);
    loc.lookUp(45);
    loc.turnRight(90);
    loc.use();
    const auto& calls = gldouble::calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].name, "glTranslatef");
    EXPECT_EQ(calls[0].args, (std::vector<double>{ 1, 2, 3 }));
    EXPECT_EQ(calls[1].name, "glRotatef");
    EXPECT_FLOAT_EQ(calls[1].args[0], 45.0f);
    EXPECT_EQ(std::vector<double>(calls[1].args.begin() + 1, calls[1].args.end()),
              (std::vector<double>{ 1, 0, 0 }));
    EXPECT_EQ(calls[2].name, "glRotatef");
    EXPECT_FLOAT_EQ(calls[2].args[0], -90.0f);
    EXPECT_EQ(std::vector<double>(calls[2].args.begin() + 1, calls[2].args.end()),
              (std::vector<double>{ 0, 1, 0 }));

    // The rotation alone applies only the two turns.
    gldouble::clearCalls();
    static_cast<const Rotation&>(loc).use();
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glRotatef", "glRotatef" }));
}

#include <gtest/gtest.h>

#include <GL/gl.h>

#include "Base/basiccamera.h"
#include "double/gldouble.h"

using Args = std::vector<double>;

TEST(BasicCamera, NewCameraIsAPerspectiveAtTheOriginFacingMinusZ)
{
    gldouble::reset();
    BasicCamera cam;
    cam.draw();
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glMatrixMode", "glLoadIdentity",
                                                            "gluPerspective", "glMatrixMode",
                                                            "glLoadIdentity", "gluLookAt" }));
    const auto& calls = gldouble::calls();
    EXPECT_EQ(calls[0].args, Args{ GL_PROJECTION });
    EXPECT_EQ(calls[2].args, (Args{ 45, 1, 0.1f, 100 }));
    EXPECT_EQ(calls[3].args, Args{ GL_MODELVIEW });
    EXPECT_EQ(calls[5].args, (Args{ 0, 0, 0, 0, 0, -1, 0, 1, 0 }));
}

TEST(BasicCamera, OrthographicLooksOneUnitAheadAndResetRestoresEverything)
{
    gldouble::reset();
    BasicCamera cam;
    cam.ortho = true;
    cam.aspectRatio = 4.0f / 3.0f;
    cam.clipNear = -1;
    cam.clipFar = 1;
    cam.loc.set(2, 3, 4);
    cam.loc.turnRight(90);
    cam.draw();
    EXPECT_EQ(gldouble::countOf("gluPerspective"), 0u);
    EXPECT_EQ(gldouble::callsNamed("glOrtho")[0].args, (Args{ 0, 4.0f / 3.0f, 0, 1, -1, 1 }));
    const Args look = gldouble::callsNamed("gluLookAt")[0].args;
    const Args want = { 2, 3, 4, 3, 3, 4, 0, 1, 0 };
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(look[i], want[i], 1e-6) << "argument " << i;
    }

    cam.fieldOfViewY = 60;
    cam.reset();
    EXPECT_EQ(cam.fieldOfViewY, 45.0f);
    EXPECT_EQ(cam.aspectRatio, 1.0f);
    EXPECT_EQ(cam.clipNear, 0.1f);
    EXPECT_EQ(cam.clipFar, 100.0f);
    EXPECT_FALSE(cam.ortho);
    EXPECT_EQ(cam.loc, Vector(0, 0, 0));
    EXPECT_EQ(cam.loc.theta, 0.0f);
}

#include <gtest/gtest.h>

#include <GL/gl.h>

#include "Base/basiccamera.h"
#include "double/gldouble.h"

using Args = std::vector<double>;

TEST(BasicCamera, PerspectiveByDefaultOrthographicOnRequestAndResetRestores)
{
    gldouble::reset();
    BasicCamera cam;
    cam.draw();
    const std::vector<gldouble::Call> fresh = gldouble::calls();
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glMatrixMode", "glLoadIdentity", "gluPerspective",
                                                            "glMatrixMode", "glLoadIdentity", "gluLookAt" }));
    EXPECT_EQ(fresh[0].args, Args{ GL_PROJECTION });
    EXPECT_EQ(fresh[2].args, (Args{ 45, 1, 0.1f, 100 }));
    EXPECT_EQ(fresh[3].args, Args{ GL_MODELVIEW });
    EXPECT_EQ(fresh[5].args, (Args{ 0, 0, 0, 0, 0, -1, 0, 1, 0 }));

    // Orthographic: the eye follows the location and looks one unit ahead.
    cam.ortho = true;
    cam.aspectRatio = 2;
    cam.clipNear = -1;
    cam.loc.set(2, 3, 4);
    cam.loc.turnRight(90);
    gldouble::clearCalls();
    cam.draw();
    ASSERT_EQ(gldouble::names()[2], "glOrtho");
    EXPECT_EQ(gldouble::calls()[2].args, (Args{ 0, 2, 0, 1, -1, 100 }));
    const Args want = { 2, 3, 4, 3, 3, 4, 0, 1, 0 };
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(gldouble::calls()[5].args[i], want[i], 1e-6) << "look-at argument " << i;
    }

    cam.reset();
    gldouble::clearCalls();
    cam.draw();
    EXPECT_EQ(gldouble::names()[2], "gluPerspective");
    EXPECT_EQ(gldouble::calls()[2].args, fresh[2].args);
    EXPECT_EQ(gldouble::calls()[5].args, fresh[5].args);
}

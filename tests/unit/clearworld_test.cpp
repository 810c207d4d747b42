#include <gtest/gtest.h>

#include <cmath>

#include "Base/clearworld.h"
#include "Base/eventloop.h"
#include "double/gldouble.h"

// The colour starts at (15, 0, 32, 255) and steps every channel by one on
// every fortieth frame and only then. (Start-up checks the first colour and
// the clear of both buffers.)
TEST(ClearWorld, DriftsOneStepEveryFortiethFrame)
{
    gldouble::reset();
    new Eventloop();
    Eventloop::registerCallbacks();
    ClearWorld world;
    Eventloop::addWorldToList(&world);
    std::vector<double> previous = { 15, 0, 32, 255 };
    int shifts = 0;
    for (int i = 0; i < 400; ++i) {
        gldouble::clearCalls();
        gldouble::display();
        const auto colours = gldouble::callsNamed("glClearColor");
        const bool due = Eventloop::getFrameNumber() % 40 == 0;
        ASSERT_EQ(colours.size(), due ? 1u : 0u) << "frame " << Eventloop::getFrameNumber();
        for (int channel = 0; due && channel < 4; ++channel) {
            const double now = std::round(colours[0].args[channel] * 255.0);
            EXPECT_EQ(std::fabs(now - previous[channel]), channel < 3 ? 1.0 : 0.0) << "channel " << channel;
            previous[channel] = now;
        }
        shifts += due;
    }
    EXPECT_EQ(shifts, 10);
}

#include <gtest/gtest.h>

#include <cmath>

#include "Base/clearworld.h"
#include "Base/eventloop.h"
#include "double/gldouble.h"

static std::vector<double> bytes(const gldouble::Call& clearColor)
{
    std::vector<double> out;
    for (double channel : clearColor.args) {
        out.push_back(std::round(channel * 255.0));
    }
    return out;
}

TEST(ClearWorld, StartsDeepPurpleAndClearsBothBuffers)
{
    gldouble::reset();
    ClearWorld world;
    const auto colours = gldouble::callsNamed("glClearColor");
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_EQ(bytes(colours[0]), (std::vector<double>{ 15, 0, 32, 255 }));
    gldouble::clearCalls();
    world.output();
    ASSERT_EQ(gldouble::calls().size(), 1u);
    EXPECT_EQ(gldouble::calls()[0].args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

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
        if (!due) {
            continue;
        }
        const std::vector<double> now = bytes(colours[0]);
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_EQ(std::fabs(now[channel] - previous[channel]), 1.0);
        }
        EXPECT_EQ(now[3], 255);
        if (shifts == 0) {
            EXPECT_EQ(now[1], 1);  // green starts at the bottom and must step up
        }
        previous = now;
        ++shifts;
    }
    EXPECT_EQ(shifts, 10);
}

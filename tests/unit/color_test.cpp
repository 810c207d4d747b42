#include <gtest/gtest.h>

#include <cstdlib>

#include "Base/color.h"
#include "double/gldouble.h"

// Exposes the protected shift step so single components can be checked.
class ShiftProbe : public Color
{
public:
    using Color::Color;
    void step(GLubyte& value) { shiftSingleColor(value); }
};

static void expectColor(const Color& c, int r, int g, int b, int a)
{
    EXPECT_EQ(c.getr(), r);
    EXPECT_EQ(c.getg(), g);
    EXPECT_EQ(c.getb(), b);
    EXPECT_EQ(c.geta(), a);
}

TEST(Color, ConstructionAndPresets)
{
    Color c;
    expectColor(c, 0, 0, 0, 255);
    c.setWhite();
    expectColor(c, 255, 255, 255, 255);
    c.clear();
    expectColor(c, 0, 0, 0, 255);
    Color copy(1, 2, 3, 4);
    c = copy;
    expectColor(c, 1, 2, 3, 4);
}

TEST(Color, ShiftAtTheEndsDrawsNothing)
{
    Color c(255, 0, 254, 100);
    restartShiftGenerator(7);
    const long before = randnum();
    restartShiftGenerator(7);
    c.shift();
    expectColor(c, 254, 1, 253, 100);
    EXPECT_EQ(randnum(), before);  // the generator was not consulted
}

TEST(Color, ShiftInTheMiddleDrawsOncePerComponentInOrder)
{
    restartShiftGenerator(11);
    const long greenDraw = randnum();
    const long blueDraw = randnum();
    const long next = randnum();

    restartShiftGenerator(11);
    Color c(2, 253, 3, 0);
    c.shift();
    EXPECT_EQ(c.getr(), 3);
    EXPECT_EQ(c.getg(), greenDraw % 2 == 1 ? 254 : 252);
    EXPECT_EQ(c.getb(), blueDraw % 2 == 1 ? 4 : 2);
    EXPECT_EQ(c.geta(), 0);
    EXPECT_EQ(randnum(), next);
}

TEST(Color, ComponentsNeverLeaveTheByteRange)
{
    ShiftProbe probe(0, 0, 0, 0);
    for (int start = 0; start < 256; ++start) {
        GLubyte value = static_cast<GLubyte>(start);
        for (int i = 0; i < 600; ++i) {
            const int before = value;
            probe.step(value);
            ASSERT_EQ(std::abs(value - before), 1) << "from " << start;
        }
    }
}

TEST(Color, DefaultConstructionRestartsTheShiftSequence)
{
    Color first(100, 100, 100, 255);
    (void)Color();
    first.shift();
    first.shift();

    Color second(100, 100, 100, 255);
    randnum();  // disturb the generator: the default colour must restart it
    (void)Color();
    second.shift();
    second.shift();

    expectColor(second, first.getr(), first.getg(), first.getb(), 255);
}

TEST(Color, ShiftGeneratorFollowsRandomButLeavesRandAlone)
{
    // The same sequence random() gives from seed 1...
    srandom(1);
    const long first = random();
    const long second = random();
    (void)Color();
    EXPECT_EQ(randnum(), first);
    EXPECT_EQ(randnum(), second);
    // Also from deep into another seed's sequence, and on past the first
    // turn of the generator's state.
    restartShiftGenerator(7);
    for (int i = 0; i < 50; ++i) {
        randnum();
    }
    (void)Color();
    srandom(1);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(randnum(), random()) << "draw " << i;
    }

    // ...while restarting it never restarts the game's rand() draws.
    srand(5);
    const int expected[] = { rand(), rand() };
    srand(5);
    EXPECT_EQ(rand(), expected[0]);
    (void)Color();
    EXPECT_EQ(rand(), expected[1]);
}

TEST(Color, RandomIsOpaqueAndUsesRandInOrder)
{
    srand(3);
    const int r = rand() & 0xff;
    const int g = rand() & 0xff;
    const int b = rand() & 0xff;
    srand(3);
    Color c(0, 0, 0, 0);
    c.random();
    expectColor(c, r, g, b, 255);
}

TEST(Color, GetHandsTheFourBytesToOpenGL)
{
    gldouble::reset();
    const Color c(10, 20, 30, 40);
    glColor4ubv(c.get());
    const auto recorded = gldouble::callsNamed("glColor4ubv");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].args, (std::vector<double>{ 10, 20, 30, 40 }));
}

#include <gtest/gtest.h>

#include <cstdlib>

#include "Base/color.h"
#include "support/compare.h"

// 254 and up step down and 2 and below step up without a draw; the others
// draw once each in order, an odd draw going up. Alpha never moves.
TEST(Color, ShiftDrawsOnlyAwayFromTheEnds)
{
    restartShiftGenerator(11);
    const long green = randnum(), blue = randnum(), next = randnum();
    restartShiftGenerator(11);
    Color middle(2, 253, 3, 0);
    middle.shift();
    EXPECT_EQ(rgba(middle), (Rgba{ 3, green % 2 == 1 ? 254 : 252, blue % 2 == 1 ? 4 : 2, 0 }));
    EXPECT_EQ(randnum(), next);

    restartShiftGenerator(7);
    const long first = randnum();
    restartShiftGenerator(7);
    Color ends(255, 0, 254, 100);
    ends.shift();
    EXPECT_EQ(rgba(ends), (Rgba{ 254, 1, 253, 100 }));
    EXPECT_EQ(randnum(), first);
}

// The default colour restarts the shift sequence at random()'s seed 1, and
// leaves the game's rand() sequence alone.
TEST(Color, DefaultConstructionRestartsTheShiftSequenceOnly)
{
    srandom(1);
    const long first = random(), second = random();
    srand(5);
    rand();
    const int expected = rand();
    srand(5);
    rand();
    randnum();
    (void)Color();
    EXPECT_EQ(rand(), expected);
    EXPECT_EQ(randnum(), first);
    EXPECT_EQ(randnum(), second);

    // The restart copies back a saved state: it must hold from deep into
    // another seed's sequence and past the first turn of the state.
    restartShiftGenerator(7);
    for (int i = 0; i < 50; ++i) {
        randnum();
    }
    (void)Color();
    srandom(1);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(randnum(), random()) << "draw " << i;
    }
}

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <deque>

#include "Base/utility.h"

// randomFloat's ends are reached only by rand() returning 0 or its maximum,
// which no seed delivers on demand. This test binary therefore defines rand()
// itself: it hands out scripted values while there are any and otherwise
// passes on to the C library's own generator, so other tests see the usual
// sequence.
static std::deque<int> g_scriptedRand;

extern "C" int rand() noexcept
{
    if (!g_scriptedRand.empty()) {
        const int value = g_scriptedRand.front();
        g_scriptedRand.pop_front();
        return value;
    }
    static const auto libraryRand = reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"));
    return libraryRand();
}

TEST(RandomFloat, ReachesBothEndsAlsoWithReversedBounds)
{
    static_assert(RAND_MAX == 2147483647, "the generator's maximum");
    struct Case { int drawn; float min, max, result; };
    const Case cases[] = { { 0, 0, 1, 0 }, { RAND_MAX, 0, 1, 1 }, { RAND_MAX, -2, 6, 6 }, { 0, 5, 2, 5 },
                           { RAND_MAX, 5, 2, 2 }, { RAND_MAX / 2 + 1, 5, 2, 3.5f }, { RAND_MAX / 3, 5, 5, 5 } };
    for (const Case& c : cases) {
        g_scriptedRand.assign(1, c.drawn);
        EXPECT_EQ(randomFloat(c.min, c.max), c.result) << c.drawn << " in " << c.min << ".." << c.max;
        EXPECT_TRUE(g_scriptedRand.empty()) << "exactly one draw";
    }
}

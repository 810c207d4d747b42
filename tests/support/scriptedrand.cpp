#include "support/scriptedrand.h"

#include <dlfcn.h>

#include <cmath>
#include <cstdlib>
#include <deque>

namespace scriptedrand {

namespace {

std::deque<int> g_queued;
size_t g_draws = 0;

int realRand()
{
    typedef int (*RandFunction)();
    static RandFunction real = reinterpret_cast<RandFunction>(dlsym(RTLD_NEXT, "rand"));
    return real();
}

}  // namespace

void queueFloat(float min, float max, float value)
{
    // randomFloat: min + (n / 2147483647) * (max - min), the span in floats.
    const double span = static_cast<double>(max - min);
    const double r = (static_cast<double>(value) - static_cast<double>(min)) / span;
    g_queued.push_back(static_cast<int>(std::lround(r * 2147483647.0)));
}

size_t draws()
{
    return g_draws;
}

size_t pending()
{
    return g_queued.size();
}

void reset()
{
    g_queued.clear();
    g_draws = 0;
}

}  // namespace scriptedrand

extern "C" int rand(void) noexcept
{
    ++scriptedrand::g_draws;
    if (scriptedrand::g_queued.empty()) {
        return scriptedrand::realRand();
    }
    const int value = scriptedrand::g_queued.front();
    scriptedrand::g_queued.pop_front();
    return value;
}

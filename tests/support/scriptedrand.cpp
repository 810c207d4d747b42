#include "support/scriptedrand.h"

#include <dlfcn.h>

#include <cmath>
#include <deque>

namespace scriptedrand {

static std::deque<int> g_queued;
static size_t g_draws = 0;

void queueFloat(float min, float max, float value)
{
    // randomFloat: min + (n / 2147483647) * (max - min), the span in floats.
    const double r = (double(value) - double(min)) / double(max - min);
    g_queued.push_back(static_cast<int>(std::lround(r * 2147483647.0)));
}

size_t draws()
{
    return g_draws;
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
        static const auto realRand = reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"));
        return realRand();
    }
    const int value = scriptedrand::g_queued.front();
    scriptedrand::g_queued.pop_front();
    return value;
}

#include "double/gldouble.h"

#include <algorithm>

namespace gldouble {

static std::vector<Call> g_calls;

static void record(const char* name, const double* args, int count, const char* text, int length)
{
    g_calls.push_back(Call{ name, std::vector<double>(args, args + count), std::string(text, size_t(length)) });
}

const std::vector<Call>& calls() { return g_calls; }
void clearCalls() { g_calls.clear(); }
void setRecording(bool on) { Headless::setObserver(on ? record : nullptr); }

std::vector<Call> callsNamed(const std::string& name)
{
    std::vector<Call> found;
    std::copy_if(g_calls.begin(), g_calls.end(), std::back_inserter(found),
                 [&name](const Call& call) { return call.name == name; });
    return found;
}

void reset()
{
    Headless::reset();
    g_calls.clear();
    setRecording(true);
}

}  // namespace gldouble

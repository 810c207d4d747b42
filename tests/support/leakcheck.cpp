// Under LeakSanitizer, checks for leaks as the test program ends but before
// static destructors run. The engine keeps its managers and worlds in static
// members for the whole run; once those containers are destroyed, what they
// held would be reported although nothing was ever lost. Also covers
// death-test children that end with exit().

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define MORVELLANT_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define MORVELLANT_LEAK_CHECK 1
#endif
#endif

#ifdef MORVELLANT_LEAK_CHECK
#include <sanitizer/lsan_interface.h>

namespace {

void checkLeaksNow()
{
    // Ends the process with LeakSanitizer's exit code if anything leaked;
    // the check at the very end of the process then does not run again.
    __lsan_do_leak_check();
}

class LeakCheckBeforeStaticDestructors : public ::testing::Environment
{
public:
    // Registered after all static construction, so it runs before those
    // objects are destroyed.
    void SetUp() override { std::atexit(checkLeaksNow); }
};

const ::testing::Environment* const g_leakCheck =
    ::testing::AddGlobalTestEnvironment(new LeakCheckBeforeStaticDestructors);

}  // namespace
#endif

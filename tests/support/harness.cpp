#include "support/harness.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>


void writeLevel(const std::vector<std::string>& rows)
{
    static std::string directory;
    if (directory.empty()) {
        char name[] = "/tmp/morvellant-test-XXXXXX";
        if (mkdtemp(name) == nullptr || chdir(name) != 0 || mkdir("Content", 0755) != 0) std::abort();
        directory = name;
        std::atexit([] { std::filesystem::remove_all(directory); });
    }
    std::ofstream file("Content/city1.troklevel", std::ios::trunc);
    file << "!MorvellantMapFile\n" << (rows.empty() ? 0 : rows[0].size()) << " " << rows.size() << "\n";
    for (const std::string& row : rows) file << row << "\n";
}

static std::deque<int> g_queued;
static size_t g_draws = 0;

void queueDraw(float min, float max, float value)
{
    // randomFloat: min + n / 2147483647 * (max - min), the span in floats.
    g_queued.push_back(int(std::lround((double(value) - min) / double(max - min) * 2147483647.0)));
}

size_t draws() { return g_draws; }

extern "C" int rand(void) noexcept
{
    static const auto library = reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"));
    ++g_draws;
    if (g_queued.empty()) return library();
    const int value = g_queued.front();
    g_queued.pop_front();
    return value;
}

// Run whole, the binary would carry one case's engine state into the next.
struct OneCasePerProcess : ::testing::EmptyTestEventListener
{
    void OnTestProgramStart(const ::testing::UnitTest& unit) override
    {
        if (unit.test_to_run_count() == 1) return;
        std::puts("Each case needs a process of its own: run them with ctest, or one with --gtest_filter=Suite.Case.");
        std::fflush(stdout);
        std::_Exit(2);
    }
};

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new OneCasePerProcess);
    return RUN_ALL_TESTS();
}

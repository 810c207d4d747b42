// Whether the memory a level is said to take is the memory building it takes.
// For levels near the budget a game may use, each generated in a temporary
// directory, a process of its own builds the game as the playing state does
// and reads its peak resident size (VmHWM) afterwards; the level report's
// estimate is printed beside it. Run by `make bench`; exits 1 when an
// estimate lies more than 15% from its measurement.
// Usage: morvellant_memorybench [--build DIR]   (--build: the child's part)

#include <sys/wait.h>
#include <unistd.h>

#include <stdlib.h>  // mkdtemp

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Base/eventloop.h"
#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Game/trokworld.h"
#include "Headless/headless.h"

namespace {

const double kMaxOff = 0.15;

// The state the event loop would be in, without running a frame.
class Loop : public Eventloop
{
public:
    static void enter(int state) { ms_eState = state; ms_eNextState = state; }
};

// The peak resident size of this process so far, in kB (0 if unknown).
int64_t peakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmHWM:") == 0) {
            return std::stoll(line.substr(6));
        }
    }
    return 0;
}

// The child: builds the level of DIR/Content as a game would, then prints
// the estimate (MB), the peak resident size (kB) and the objects built.
int buildOne(const std::string& dir)
{
    std::filesystem::current_path(dir);
    std::streambuf* const out = std::cout.rdbuf(nullptr);  // the loader's lines
    Headless::reset();
    new Eventloop();
    Loop::enter(STATE_PLAYING);
    TrokWorld* world = new TrokWorld();  // left to the exit, as the game leaves it
    world->startGame();
    const int64_t peak = peakKilobytes();
    std::cout.rdbuf(out);
    std::cout.clear();
    const int64_t estimate = world->getMap() != nullptr ? LevelReport(*world->getMap()).megabytes() : 0;
    std::cout << estimate << " " << peak << " " << world->getObjects().size() << std::endl;
    return 0;
}

// A temporary directory holding Content/city1.troklevel, its rows made by
// row(i) for i from 0 to height - 1.
std::string writeLevel(int width, int height, const std::function<std::string(int)>& row)
{
    char pattern[] = "/tmp/morvellant-memorybench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::filesystem::create_directory(dir + "/Content");
    std::ofstream out(dir + "/Content/city1.troklevel");
    out << "!MorvellantMapFile\n" << width << " " << height << "\n";
    for (int i = 0; i < height; ++i) {
        out << row(i) << "\n";
    }
    return dir;
}

// Blocks everywhere but the activist's cell in the middle.
std::string blocks(int side)
{
    return writeLevel(side, side, [side](int i) {
        std::string r(static_cast<size_t>(side), '#');
        if (i == side / 2) {
            r[static_cast<size_t>(side / 2)] = '@';
        }
        return r;
    });
}

// Rows of `#WW` over and over: a block and two waypoints in every three
// cells; the first row holds the activist, 3 police and 10 citizens.
std::string blocksAndWaypoints(int side)
{
    return writeLevel(side, side, [side](int i) {
        std::string r;
        for (int j = 0; j < side; ++j) {
            r += j % 3 == 0 ? '#' : 'W';
        }
        if (i == 0) {
            r.replace(1, 14, "@PPPCCCCCCCCCC");
        }
        return r;
    });
}

// Streets with an agent in about one cell of `every`, at places drawn by a
// fixed sequence: one in ten is a police officer, the rest citizens.
std::string scatteredAgents(int side, int every)
{
    uint32_t seed = 12345;
    return writeLevel(side, side, [side, every, &seed](int i) {
        std::string r(static_cast<size_t>(side), '.');
        for (char& c : r) {
            seed = seed * 1664525u + 1013904223u;
            const uint32_t draw = seed >> 8;
            if (draw % static_cast<uint32_t>(every) == 0) {
                c = (draw / static_cast<uint32_t>(every)) % 10 == 0 ? 'P' : 'C';
            }
        }
        if (i == side / 2) {
            r[static_cast<size_t>(side / 2)] = '@';
        }
        return r;
    });
}

struct Level
{
    const char* name;
    std::function<std::string()> make;
};

// Runs the child on the level; false if it failed or built nothing.
bool measure(const Level& level)
{
    const std::string dir = level.make();
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        execl("/proc/self/exe", "morvellant_memorybench", "--build", dir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    std::filesystem::remove_all(dir);

    int64_t estimate = 0;
    int64_t peak = 0;
    int64_t built = 0;
    std::istringstream(text) >> estimate >> peak >> built;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("  %-36s failed\n", level.name);
        return false;
    }
    if (built == 0) {
        std::printf("  %-36s %5lld MB  refused\n", level.name, static_cast<long long>(estimate));
        return false;
    }
    const double measured = static_cast<double>(peak) / 1024.0;
    const double off = static_cast<double>(estimate) / measured - 1.0;
    const bool close = off <= kMaxOff && off >= -kMaxOff;
    std::printf("  %-36s %5lld MB  %7.1f MB  %+6.1f%%%s\n", level.name, static_cast<long long>(estimate), measured,
                100.0 * off, close ? "" : "  more than 15% off");
    std::fflush(stdout);
    return close;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--build") {
        return buildOne(argv[2]);
    }
    // Sizes chosen so that each estimate lies just under the budget.
    const std::vector<Level> levels = {
        { "blocks, 2320 x 2320", [] { return blocks(2320); } },
        { "#WW rows and 13 agents, 3580 x 3580", [] { return blocksAndWaypoints(3580); } },
        { "an agent in 5 cells, 4000 x 4000", [] { return scatteredAgents(4000, 5); } },
    };
    std::printf("memory of building a level (budget %lld MB): estimate, peak resident size measured, "
                "estimate against it\n", static_cast<long long>(LevelReport::mostMegabytes));
    bool allClose = true;
    for (const Level& level : levels) {
        allClose = measure(level) && allClose;
    }
    return allClose ? 0 : 1;
}

// morvellant-levelcheck: reads level files as the game does and says whether
// a game can be played on them; with --play, whether one is any good to play.

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Headless/playthrough.h"

namespace
{

const unsigned kSeeds = 5;
// The longest limit whose milliseconds fit the game's 32-bit clock.
const long long kMostMinutes = 71582;

const char* const kUsage =
    "usage: morvellant-levelcheck [--play] [--minutes N] LEVELFILE...\n"
    "Reads each level as The Morvellant does, counts what it places and says\n"
    "whether a game can be played on it. With --play, also plays each level\n"
    "without a window, 5 games with an idle activist and 5 with a simple player\n"
    "who walks to the nearest undecided citizen and talks twice a second, each\n"
    "for up to N simulated minutes (10 by default), and says whether the level\n"
    "is balanced: the idle activist never wins and the simple player always does.\n"
    "Exit status: 0 when every level is playable (and balanced), 1 when one is\n"
    "not, 2 when the command line is wrong.\n";

// Ten games of a long limit take more milliseconds than 32 bits hold.
std::string minutesAndSeconds(uint64_t ms)
{
    const uint64_t seconds = ms / 1000 % 60;
    return std::to_string(ms / 60000) + (seconds < 10 ? ":0" : ":") + std::to_string(seconds);
}

// The --minutes argument's number, or 0 when it is not one from 1 to kMostMinutes.
long long limitInMinutes(const char* text)
{
    const long long minutes = std::strtoll(text, nullptr, 10);
    return minutes > 0 && minutes <= kMostMinutes ? minutes : 0;
}

// Ten games of the level; prints each and the verdict, returns whether it is balanced.
bool playLevel(Playthrough& playthrough, const std::string& level, uint32_t limitMs)
{
    const auto started = std::chrono::steady_clock::now();
    std::string failures;
    uint64_t played = 0;
    for (const bool simple : { false, true }) {
        for (unsigned seed = 1; seed <= kSeeds; ++seed) {
            const Playthrough::Result r = playthrough.play(level, seed, simple, limitMs);
            played += r.ms;
            std::cout << (simple ? "simple player" : "idle activist") << ", seed " << seed << ": "
                      << (r.state == STATE_WON ? "won at " : r.state == STATE_LOST ? "lost at " : "undecided after ")
                      << minutesAndSeconds(r.ms) << std::endl;
            if ((r.state == STATE_WON) != simple) {
                failures += std::string(failures.empty() ? "" : "; ") + (simple ? "the simple player did not win"
                            : "the idle activist won") + " with seed " + std::to_string(seed);
            }
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << (failures.empty() ? "balanced" : "unbalanced: " + failures) << " (" << minutesAndSeconds(played)
              << " of play in " << std::fixed << std::setprecision(1) << seconds << " s, "
              << std::setprecision(0) << played / 1000.0 / seconds << " times real time)" << std::endl;
    std::cout.unsetf(std::ios::floatfield);
    return failures.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    bool play = false;
    long long minutes = 10;
    std::vector<std::pair<std::string, std::string>> files;  // as given, and absolute
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--play") {
            play = true;
        } else if (arg == "--minutes" && i + 1 < argc && limitInMinutes(argv[i + 1]) > 0) {
            minutes = limitInMinutes(argv[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << kUsage;
            return 2;
        } else {
            // Playing changes the working directory: the names must not depend on it.
            files.emplace_back(arg, std::filesystem::absolute(arg).string());
        }
    }
    if (files.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    std::unique_ptr<Playthrough> playthrough;
    int failed = 0;
    for (const auto& file : files) {
        const std::string& name = file.first;
        std::cout << name << ":" << std::endl;
        std::ifstream in(file.second, std::ios::binary);
        if (!in) {
            std::cout << "cannot open " << name << ": " << std::strerror(errno) << std::endl;
            ++failed;
            continue;
        }
        const TrokMap map(file.second);
        const LevelReport report(map);
        report.print(std::cout);
        if (!report.playable()) {
            ++failed;
            continue;
        }
        if (play) {
            if (!playthrough) playthrough.reset(new Playthrough());
            std::ostringstream level;
            level << in.rdbuf();
            failed += playLevel(*playthrough, level.str(), static_cast<uint32_t>(minutes) * 60000) ? 0 : 1;
        }
    }
    return failed == 0 ? 0 : 1;
}

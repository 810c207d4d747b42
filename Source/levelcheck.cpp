// morvellant-levelcheck: reads level files as the game does and says whether
// a game can be played on them; with --play, whether one is any good to play;
// with --picture and --heatmap, shows them.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Headless/playthrough.h"
#include "LevelCheck/checkoptions.h"
#include "LevelCheck/mappicture.h"
#include "LevelCheck/pngfile.h"
#include "LevelCheck/policebeats.h"
#include "LevelCheck/wholefile.h"

namespace
{

const unsigned kSeeds = 5;

const char* const kUsage =
    "usage: morvellant-levelcheck [--play [--heatmap OUT.png]] [--minutes N]\n"
    "                             [--picture OUT.png] LEVELFILE...\n"
    "Reads each level as The Morvellant does, counts what it places and says\n"
    "whether a game can be played on it. With --play, also plays each level\n"
    "without a window, 5 games with an idle activist and 5 with a simple player\n"
    "who walks to the nearest undecided citizen and talks twice a second, each\n"
    "for up to N simulated minutes (a whole number from 1 to 71582, 10 by\n"
    "default), and says whether the level is balanced: the idle activist never\n"
    "wins and the simple player always does. --picture writes a PNG picture of\n"
    "the level seen from above, --heatmap one of where the ten games won and\n"
    "lost citizens; either takes a single level.\n"
    "Exit status: 0 when every level is playable (and balanced), 1 when one is\n"
    "not or a picture cannot be written, 2 when the command line is wrong.\n";

// Ten games of a long limit take more milliseconds than 32 bits hold.
std::string minutesAndSeconds(uint64_t ms)
{
    return std::to_string(ms / 60000) + (ms / 1000 % 60 < 10 ? ":0" : ":") + std::to_string(ms / 1000 % 60);
}

// Ten games of the level; prints each and the verdict, returns whether it is
// balanced. Where citizens locked in and where the simple player walked go
// to the marks.
bool playLevel(Playthrough& playthrough, const std::string& level, uint32_t limitMs, PlayMarks& marks)
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
            for (const Playthrough::Conversion& c : r.conversions) {
                ++(c.won ? marks.won : marks.lost)[c.cell];
            }
            for (size_t i = 1; i < r.path.size(); ++i) {
                marks.steps.insert(std::minmax(r.path[i - 1], r.path[i]));
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

// The picture of the level, with the games' marks for a heat map; says what
// it wrote, or why it could not, and returns whether it wrote it.
bool writePicture(const CheckOptions::Name& out, const TrokMap& map, const PlayMarks* marks)
{
    std::vector<unsigned char> png;
    std::string reason;
    std::string size;
    {
        const PoliceBeats beats(map);
        const MapPicture picture(map, beats, marks);
        png = encodePng(picture.canvas.width, picture.canvas.height, picture.canvas.rgb, reason);
        size = std::to_string(picture.canvas.width) + " x " + std::to_string(picture.canvas.height) + " pixels, "
             + (picture.cellsPerPixel > 1 ? std::to_string(picture.cellsPerPixel) + " cells a pixel"
                                          : std::to_string(picture.cellPixels) + " pixels a cell");
        if (!beats.complete) {
            std::cout << "warning: the police beats are too long to follow to their end: the picture shows their start"
                      << std::endl;
        }
    }
    if (!png.empty()) {
        reason = writeWholeFile(out.path, png);
    }
    if (!reason.empty()) {
        std::cout << "cannot write " << printable(out.given) << ": " << reason << std::endl;
        return false;
    }
    std::cout << "wrote " << printable(out.given) << ": " << size;
    if (marks != nullptr) {
        uint64_t won = 0;
        uint64_t lost = 0;
        for (const auto& cell : marks->won) won += cell.second;
        for (const auto& cell : marks->lost) lost += cell.second;
        std::cout << "; " << won << " citizens won over, " << lost << " lost to the police";
    }
    std::cout << std::endl;
    return true;
}

// Why a level's file cannot be read, or nothing when it can. Only a regular
// file is a level: a device or a pipe could be read for ever.
std::string unreadable(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) {
        return std::strerror(EISDIR);
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return "not a regular file";
    }
    std::ifstream in(path, std::ios::binary);
    return in ? "" : std::strerror(errno);
}

// Everything asked about one level; returns whether all went well.
bool checkLevel(const CheckOptions& options, const CheckOptions::Name& level, std::unique_ptr<Playthrough>& playthrough)
{
    std::cout << printable(level.given) << ":" << std::endl;
    const std::string why = unreadable(level.path);
    if (!why.empty()) {
        std::cout << "cannot open " << printable(level.given) << ": " << why << std::endl;
        return false;
    }
    const TrokMap map(level.path);
    const LevelReport report(map);
    report.print(std::cout);
    if (!report.loaded) {
        return false;
    }
    bool good = report.playable();
    if (!options.picture.given.empty()) {
        good = writePicture(options.picture, map, nullptr) && good;
    }
    PlayMarks marks;
    if (options.play && report.playable()) {
        if (!playthrough) playthrough.reset(new Playthrough());
        std::ifstream in(level.path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        good = playLevel(*playthrough, text.str(), static_cast<uint32_t>(options.minutes) * 60000, marks) && good;
    }
    if (!options.heatmap.given.empty()) {
        good = writePicture(options.heatmap, map, &marks) && good;
    }
    return good;
}

}  // namespace

int main(int argc, char** argv)
{
    const CheckOptions options(argc, argv);
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (!options.mistake.empty()) {
        std::cerr << options.mistake << std::endl << kUsage;
        return 2;
    }
    std::unique_ptr<Playthrough> playthrough;
    int failed = 0;
    for (const CheckOptions::Name& level : options.levels) {
        failed += checkLevel(options, level, playthrough) ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}

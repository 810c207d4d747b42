// How a frame's simulation and a game's construction grow with the city. The
// cities are the default level tiled 1 x 1, 2 x 2, 4 x 4 and 8 x 8 (1, 4, 16
// and 64 times the area, with citizens and police in proportion and one
// activist), written as the level file of a temporary directory that the
// game world then loads. GL calls go to the recording double; nothing is
// drawn here.

#include <benchmark/benchmark.h>

#include <stdlib.h>  // mkdtemp

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "Base/eventloop.h"
#include "Game/gamestates.h"
#include "Game/trokworld.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokmovement.h"
#include "double/gldouble.h"

namespace {

// The frame rate the physics integrates with; the clock stands still
// between samples, so the smoothed rate is what getFPS answers.
class FrameRate : public Eventloop
{
public:
    static void set(float fps) { ms_rFPS = fps; }
};

// Keeps the loader's and the score's lines out of the results.
class Quiet
{
public:
    Quiet() : saved(std::cout.rdbuf(nullptr)) {}
    ~Quiet()
    {
        std::cout.rdbuf(saved);
        std::cout.clear();
    }

private:
    std::streambuf* saved;
};

// A directory holding Content/city1.troklevel: the default level tiled
// tiles x tiles times, with the activist of the first tile only.
std::string writeTiledLevel(int tiles)
{
    std::ifstream in(MORVELLANT_LEVEL);
    std::string magic;
    int w = 0;
    int h = 0;
    std::getline(in, magic);
    in >> w >> h;
    std::vector<std::string> rows(static_cast<size_t>(h));
    for (std::string& row : rows) {
        in >> row;
    }
    char pattern[] = "/tmp/morvellant-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string content = dir + "/Content";
    std::filesystem::create_directory(content);
    std::ofstream out(content + "/city1.troklevel");
    out << magic << "\n" << w * tiles << " " << h * tiles << "\n";
    for (int ti = 0; ti < tiles; ++ti) {
        for (const std::string& row : rows) {
            for (int tj = 0; tj < tiles; ++tj) {
                std::string copy = row;
                if (ti != 0 || tj != 0) {
                    for (char& c : copy) {
                        c = c == '@' ? '.' : c;
                    }
                }
                out << copy;
            }
            out << "\n";
        }
    }
    return dir;
}

// The generated levels, removed when the benchmarks end.
class LevelDirs
{
public:
    ~LevelDirs()
    {
        for (const std::string& dir : dirs) {
            if (!dir.empty()) {
                std::filesystem::remove_all(dir);
            }
        }
    }
    const std::string& get(int tiles)
    {
        if (dirs[tiles].empty()) {
            dirs[tiles] = writeTiledLevel(tiles);
        }
        return dirs[tiles];
    }

private:
    std::string dirs[9];
};

const std::string& levelDir(int tiles)
{
    static LevelDirs dirs;
    return dirs.get(tiles);
}

// The state the event loop would be in; changes asked for during a frame
// would apply only when a frame ends, which never happens here.
class Loop : public Eventloop
{
public:
    static void enter(int state) { ms_eState = state; ms_eNextState = state; }
};

// The game world, built from the tiled level as the playing state builds it.
class Game
{
public:
    explicit Game(int tiles)
    {
        std::filesystem::current_path(levelDir(tiles));
        gldouble::reset();
        new Eventloop();
        FrameRate::set(60.0f);
        Loop::enter(STATE_PLAYING);
    }

    TrokWorld world;
};

const uint32_t kFrameMs = 16;
// Frames timed from the start of each game: 2 s of play at 60 frames a
// second. A game's state drifts as it goes on (citizens lock in, police
// talk on their own rhythm), so every size is timed over the same stretch.
const int kFramesPerGame = 120;

// One frame's think phase of the game world: every object's think in list
// order, the camera's follow, then the collision pass. The time reported is
// the median think phase of the first frames of a fresh game (the median, so
// that a frame the system took the processor from counts for no more than
// one frame); neither the building nor the input phase, which runs before
// each think phase as in the game (the police choose their waypoints there),
// is counted. The virtual clock moves on so the police keep talking.
void BM_ThinkPhase(benchmark::State& state)
{
    const int tiles = static_cast<int>(state.range(0));
    Quiet quiet;
    Game game(tiles);
    std::vector<double> frames(kFramesPerGame);
    for (auto _ : state) {
        game.world.endGame();
        game.world.startGame();
        for (int frame = 0; frame < kFramesPerGame; ++frame) {
            Headless::advanceClock(kFrameMs);
            game.world.input();
            const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
            game.world.think();
            frames[frame] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        std::nth_element(frames.begin(), frames.begin() + kFramesPerGame / 2, frames.end());
        state.SetIterationTime(frames[kFramesPerGame / 2]);
    }
    state.counters["agents"] = static_cast<double>(TrokWorld::totalAgentCount);
}
BENCHMARK(BM_ThinkPhase)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->UseManualTime()->Iterations(4)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

// Starting a game: reading the level file and building every object; the
// teardown between runs is not counted.
void BM_LoadAndBuild(benchmark::State& state)
{
    const int tiles = static_cast<int>(state.range(0));
    Quiet quiet;
    Game game(tiles);
    for (auto _ : state) {
        game.world.startGame();
        state.PauseTiming();
        game.world.endGame();
        state.ResumeTiming();
    }
    state.counters["agents"] = static_cast<double>(TrokWorld::totalAgentCount);
}
BENCHMARK(BM_LoadAndBuild)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

// Ending a game: every object deleted, newest first, each leaving the
// shared collision list.
void BM_EndGame(benchmark::State& state)
{
    const int tiles = static_cast<int>(state.range(0));
    Quiet quiet;
    Game game(tiles);
    for (auto _ : state) {
        state.PauseTiming();
        game.world.startGame();
        state.ResumeTiming();
        game.world.endGame();
    }
    state.counters["agents"] = static_cast<double>(TrokWorld::totalAgentCount);
}
BENCHMARK(BM_EndGame)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

// A directory holding a side x side level of blocks but for the activist's
// cell in the middle.
std::string writeBlockLevel(int side)
{
    char pattern[] = "/tmp/morvellant-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::filesystem::create_directory(dir + "/Content");
    std::ofstream out(dir + "/Content/city1.troklevel");
    out << "!MorvellantMapFile\n" << side << " " << side << "\n";
    std::string row(static_cast<size_t>(side), '#');
    for (int i = 0; i < side; ++i) {
        row[static_cast<size_t>(side / 2)] = i == side / 2 ? '@' : '#';
        out << row << "\n";
    }
    return dir;
}

// Starting a game on a level of blocks only: reading it and building a
// million still blocks (1024 x 1024), or reading it and refusing it up front
// (4096 x 4096: 16.7 million blocks would take more memory than a game may
// use). Counted: the bytes in use after building, per block built.
void BM_BlockCity(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const std::string dir = writeBlockLevel(side);
    Quiet quiet;
    std::filesystem::current_path(dir);
    Headless::reset();
    new Eventloop();
    Loop::enter(STATE_PLAYING);
    TrokWorld world;
    double bytes = 0.0;
    size_t built = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        world.startGame();
        state.PauseTiming();
        bytes = static_cast<double>(mallinfo2().uordblks - before);
        built = world.getObjects().size();
        world.endGame();
        state.ResumeTiming();
    }
    state.counters["objects_built"] = static_cast<double>(built);
    if (built > 0) {
        state.counters["bytes_per_block"] = bytes / static_cast<double>(built);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_BlockCity)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// How a frame's simulation and a game's construction grow with the city. The
// cities are the default level tiled 1 x 1, 2 x 2, 4 x 4 and 8 x 8 (1, 4, 16
// and 64 times the area, with citizens and police in proportion and one
// activist), written as a level file and built as a game builds them. GL
// calls go to the recording double; nothing is drawn here.

#include <benchmark/benchmark.h>

#include <stdlib.h>  // mkdtemp

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Base/eventloop.h"
#include "Base/vector.h"
#include "Game/trokmap.h"
#include "Game/trokmovement.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
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

// A game's objects, built from the level file exactly as a game starts.
class City
{
public:
    explicit City(const std::string& file)
    {
        const TrokMap map(file);
        const int w = map.getWidth();
        const int h = map.getHeight();
        const float width = static_cast<float>(w);
        const float depth = static_cast<float>(h);
        const Vector one(1, 1, 1);
        TrokMovementAIPolice::clearWaypoints();
        add(OBJ_GROUND, Vector(0, 0, 0), Vector(width, 1, depth));
        add(OBJ_WALL, Vector(-1, 1, -1), Vector(width + 2, 1, 1));
        add(OBJ_WALL, Vector(-1, 1, 0), Vector(1, 1, depth));
        add(OBJ_WALL, Vector(-1, 1, depth), Vector(width + 2, 1, 1));
        add(OBJ_WALL, Vector(width, 1, 0), Vector(1, 1, depth));
        for (int i = 0; i < h; ++i) {
            for (int j = 0; j < w; ++j) {
                const char c = map.get(static_cast<unsigned>(i), static_cast<unsigned>(j));
                const Vector street(static_cast<float>(j), 1, static_cast<float>(i));
                if (c == 'W') {
                    TrokMovementAIPolice::addWaypoint(street);
                } else if (c == 'C') {
                    add(OBJ_CITIZEN, street, one);
                } else if (c == 'P') {
                    add(OBJ_POLICE, street, one);
                } else if (c == '#' || c == '$') {
                    add(OBJ_BUILDING, street, one);
                } else if (c == '@') {
                    add(OBJ_TROK, street, one);
                } else if (c >= '0' && c <= '7') {
                    add(OBJ_BUILDING, street, Vector(1, static_cast<float>(c - '0'), 1));
                } else if (c >= 'a' && c <= 'g') {
                    add(OBJ_BUILDING_EXTRA,
                        Vector(static_cast<float>(j), static_cast<float>(c - 'a'), static_cast<float>(i)), one);
                }
            }
        }
    }

    ~City()
    {
        while (!objects.empty()) {
            delete objects.back();
            objects.pop_back();
        }
    }

    std::vector<TrokObject*> objects;

private:
    void add(const TrokObjectInit& init, Vector corner, Vector size)
    {
        objects.push_back(new TrokObject(init, corner, size));
    }
};

const uint32_t kFrameMs = 16;

// One frame's think phase: every object's think in list order, then the
// collision pass. The virtual clock moves on so the police keep talking.
void BM_ThinkPhase(benchmark::State& state)
{
    const int tiles = static_cast<int>(state.range(0));
    gldouble::reset();
    new Eventloop();
    FrameRate::set(60.0f);
    Quiet quiet;
    City city(levelDir(tiles) + "/Content/city1.troklevel");
    for (auto _ : state) {
        gldouble::advanceClock(kFrameMs);
        for (TrokObject* object : city.objects) {
            object->think();
        }
        TrokPhysics::processCollisions();
    }
    state.counters["objects"] = static_cast<double>(city.objects.size());
}
BENCHMARK(BM_ThinkPhase)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

// Reading the level file and building every object of the game; the
// teardown between runs is not counted.
void BM_LoadAndBuild(benchmark::State& state)
{
    const int tiles = static_cast<int>(state.range(0));
    gldouble::reset();
    Quiet quiet;
    const std::string file = levelDir(tiles) + "/Content/city1.troklevel";
    size_t count = 0;
    for (auto _ : state) {
        std::unique_ptr<City> city(new City(file));
        count = city->objects.size();
        state.PauseTiming();
        city.reset();
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(count);
}
BENCHMARK(BM_LoadAndBuild)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

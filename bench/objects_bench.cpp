// Costs of the all-pairs collision pass, the talk radius search and the cube
// submission. The cities are the default level tiled 1 x 1, 2 x 2 and 4 x 4
// (4 and 16 times the blocks and agents), built from the presets as the game
// builds them; the GL calls go to the recording double.

#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>
#include <vector>

#include "Base/color.h"
#include "Base/vector.h"
#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokmap.h"
#include "Game/trokmovement.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"

namespace {

// The default level's objects, tiles x tiles times over.
class City
{
public:
    explicit City(int tiles)
    {
        // The loader's "Map size" line would interleave with the results.
        std::streambuf* const out = std::cout.rdbuf(nullptr);
        const TrokMap map(MORVELLANT_LEVEL);
        std::cout.rdbuf(out);
        std::cout.clear();
        const int w = map.getWidth();
        const int h = map.getHeight();
        const float width = static_cast<float>(w * tiles);
        const float depth = static_cast<float>(h * tiles);
        const Vector one(1, 1, 1);
        TrokMovementAIPolice::clearWaypoints();
        add(OBJ_GROUND, Vector(0, 0, 0), Vector(width, 1, depth));
        add(OBJ_WALL, Vector(-1, 1, -1), Vector(width + 2, 1, 1));
        add(OBJ_WALL, Vector(-1, 1, 0), Vector(1, 1, depth));
        add(OBJ_WALL, Vector(-1, 1, depth), Vector(width + 2, 1, 1));
        add(OBJ_WALL, Vector(width, 1, 0), Vector(1, 1, depth));
        for (int i = 0; i < h * tiles; ++i) {
            for (int j = 0; j < w * tiles; ++j) {
                const char c = map.get(static_cast<unsigned>(i % h), static_cast<unsigned>(j % w));
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
                    activist = add(OBJ_TROK, street, one);
                } else if (c >= '0' && c <= '7') {
                    add(OBJ_BUILDING, street, Vector(1, static_cast<float>(c - '0'), 1));
                } else if (c >= 'a' && c <= 'g') {
                    add(OBJ_BUILDING_EXTRA, Vector(static_cast<float>(j), static_cast<float>(c - 'a'),
                                                   static_cast<float>(i)), one);
                }
            }
        }
    }

    TrokObject* activist = nullptr;
    std::vector<std::unique_ptr<TrokObject>> objects;

private:
    TrokObject* add(const TrokObjectInit& init, Vector corner, Vector size)
    {
        objects.emplace_back(new TrokObject(init, corner, size));
        return objects.back().get();
    }
};

void BM_ProcessCollisions(benchmark::State& state)
{
    City city(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TrokPhysics::processCollisions();
    }
    state.counters["objects"] = static_cast<double>(city.objects.size());
}
BENCHMARK(BM_ProcessCollisions)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_FindCitizensInTalkReach(benchmark::State& state)
{
    City city(static_cast<int>(state.range(0)));
    size_t found = 0;
    for (auto _ : state) {
        const std::vector<TrokObject*> near =
            city.activist->physics->findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 4.0f);
        found = near.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["objects"] = static_cast<double>(city.objects.size());
}
BENCHMARK(BM_FindCitizensInTalkReach)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

// One box's GL calls, recorded by the double (whose recording is most of
// the cost: it says how many calls a box makes, not how fast a driver is).
void BM_MakeCube(benchmark::State& state)
{
    const Color fill(252, 255, 117, 255);
    const Color stroke(0, 0, 0, 255);
    const Vector size(1, static_cast<float>(state.range(0)), 1);
    for (auto _ : state) {
        gldouble::clearCalls();
        TrokDisplay::makeCube(fill, stroke, size);
    }
    state.counters["calls"] = static_cast<double>(gldouble::calls().size());
}
BENCHMARK(BM_MakeCube)->Arg(1)->Arg(7);

}  // namespace

BENCHMARK_MAIN();

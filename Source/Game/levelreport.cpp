#include "Game/levelreport.h"

#include "Game/trokmap.h"

LevelReport::LevelReport(const TrokMap& map)
    : loaded(map.valid), width(0), height(0), activists(0), citizens(0), police(0),
      waypoints(0), buildings(0), roofs(0)
{
    if (loaded) {
        count(map);
    }
    judge();
}

void LevelReport::count(const TrokMap& map)
{
    width = map.getWidth();
    height = map.getHeight();
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            const char c = map.get(static_cast<unsigned int>(i), static_cast<unsigned int>(j));
            if (c == '@') {
                ++activists;
            } else if (c == 'C') {
                ++citizens;
            } else if (c == 'P') {
                ++police;
            } else if (c == 'W') {
                ++waypoints;
            } else if (c == '#' || c == '$' || (c >= '0' && c <= '7')) {
                ++buildings;
            } else if (c >= 'a' && c <= 'g') {
                ++roofs;
            }
        }
    }
}

// Measured by the benchmarks (bytes per still block, per agent), with room
// to spare: the object and its parts, its places in the lists and the grids.
static const int64_t kBytesPerStill = 360;
static const int64_t kBytesPerAgent = 500;
static const int64_t kBuiltAlways = 5;  // the ground and the four walls

int64_t LevelReport::megabytes() const
{
    const int64_t still = kBuiltAlways + buildings + roofs;
    const int64_t agents = activists + citizens + police;
    return (still * kBytesPerStill + agents * kBytesPerAgent + (1 << 20) - 1) >> 20;
}

void LevelReport::judge()
{
    if (!loaded) {
        problems.push_back("the file did not load");
        return;
    }
    if (activists == 0) {
        problems.push_back("no activist (@): no game can start");
    }
    if (activists > 1) {
        warnings.push_back("more than one activist (@): the camera follows the last");
    }
    if (citizens == 0) {
        problems.push_back("no citizens (C): nobody can be won over");
    }
    // Half of all agents decides the game. Police already at half lose it at
    // the first conversion, unless that one ally is already half (win first).
    const int half = (citizens + police) / 2;
    if (citizens > 0 && half > 1 && police >= half) {
        problems.push_back("police (P) reach half of the agents: the first conversion loses the game");
    }
    if (megabytes() > mostMegabytes) {
        problems.push_back("too big: a game would take about " + std::to_string(megabytes()) + " MB, more than the " +
                           std::to_string(mostMegabytes) + " MB a game may use");
    }
    if (police > 0 && waypoints == 0) {
        warnings.push_back("police (P) but no waypoints (W): the police walk to the map's corner");
    }
    if (police > 0 && waypoints == 1) {
        warnings.push_back("a single waypoint (W): the police cannot patrol");
    }
}

bool LevelReport::playable() const
{
    return problems.empty();
}

void LevelReport::print(std::ostream& out) const
{
    if (loaded) {
        out << "size " << width << " x " << height << ": " << activists << " activist, "
            << citizens << " citizens, " << police << " police, " << waypoints << " waypoints, "
            << buildings << " blocks, " << roofs << " roof blocks" << std::endl;
    }
    for (const std::string& problem : problems) {
        out << "problem: " << problem << std::endl;
    }
    for (const std::string& warning : warnings) {
        out << "warning: " << warning << std::endl;
    }
    out << (playable() ? "playable" : "not playable") << std::endl;
}

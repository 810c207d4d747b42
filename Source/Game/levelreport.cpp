#include "Game/levelreport.h"

#include <algorithm>

#include "Game/trokmap.h"

namespace
{

// What building a game allocates, in bytes, as glibc's malloc on 64-bit
// Linux hands it out: an object of n bytes takes a chunk of n + 8 rounded up
// to 16, at least 32 (the sizes below are sizeof, the chunks checked with
// malloc_usable_size). `make bench` builds levels near the budget and prints
// this estimate beside the peak resident size measured.
//
// A still block (#, $, 0 to 7): the object (32 bytes, a 48-byte chunk), its
// physics part (200, 208) and display part (16, 32); the shared collision
// list's cell entry (16 in a one-entry list, 32); its place in the world's
// list, the collision list and the drawing index's list (8 each); and the
// 20 bytes the drawing index works out per object while it is built, which
// is when construction peaks. The controller and the behaviour are shared.
const int64_t kPerBlock = 48 + 208 + 32 + 32 + 3 * 8 + 20;
// A roof block: the same, but it collides with nothing.
const int64_t kPerRoof = 48 + 208 + 32 + 2 * 8 + 20;
// An agent moves, so it has a controller and a behaviour of its own, and
// places in the lists of movers, of thinkers and of what the drawing index
// looks at every frame (4 bytes, up to 8 while that list doubles).
const int64_t kAgentLists = 32 + 5 * 8 + 20 + 8;
const int64_t kPerCitizen = 48 + 80 + 208 + 48 + 32 + kAgentLists;   // controller 72, behaviour 40
const int64_t kPerPolice = 48 + 64 + 208 + 48 + 32 + kAgentLists;    // controller 56, behaviour 40
const int64_t kPerActivist = 48 + 256 + 208 + 32 + 32 + kAgentLists; // controller 248, behaviour 24
// A waypoint: one 24-byte vector in a list reserved to size.
const int64_t kPerWaypoint = 24;
// The map: a byte a cell.
const int64_t kPerCell = 1;
// The ground and the four walls, counted as blocks, and the walls' entries
// in each cell around the map.
const int64_t kBuiltAlways = 5 * kPerBlock;
const int64_t kPerCellAround = 32;
// The collision grid and the drawing index both divide the plane into
// squares of 8 x 8 cells. Over the rectangle from the walls' cells on one
// side to those on the other: the grid's pointer to each square (8) and the
// index's start and count of each (4 + 4).
const int64_t kPerSquare = 16;
const int kSquareShift = 3;
// A square of the grid that holds any box: its 64 cell lists (24 each, in a
// 1552-byte chunk).
const int64_t kPerBoxSquare = 1552;
// The drawing index files a still block under each square its drawn box
// reaches: a box whose far face lies on a square's edge reaches the next
// square too. 4 bytes each.
const int64_t kPerFiling = 4;

bool isStillBlock(char c)
{
    return c == '#' || c == '$' || (c >= '0' && c <= '7');
}

bool isRoof(char c)
{
    return c >= 'a' && c <= 'g';
}

// How many squares a unit box on the cell at x reaches along one axis: two
// when its far face lies on a square's edge.
int squaresReached(int x)
{
    return (x & ((1 << kSquareShift) - 1)) == (1 << kSquareShift) - 1 ? 2 : 1;
}

}  // namespace

LevelReport::LevelReport(const TrokMap& map)
    : loaded(map.valid), width(0), height(0), activists(0), citizens(0), police(0),
      waypoints(0), buildings(0), roofs(0), problems(), warnings(), bytes(0)
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
    // The squares of the grid from the walls' cells at -1 to those at the
    // width and the height; square 0 holds the cells before 0.
    const int across = (width >> kSquareShift) + 2;
    const int down = (height >> kSquareShift) + 2;
    std::vector<bool> holdsBox(static_cast<size_t>(across) * down, false);
    const auto square = [across](int x, int z) {
        return static_cast<size_t>(z < 0 ? 0 : (z >> kSquareShift) + 1) * across + (x < 0 ? 0 : (x >> kSquareShift) + 1);
    };
    int64_t filings = 0;
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
            } else if (isStillBlock(c)) {
                ++buildings;
            } else if (isRoof(c)) {
                ++roofs;
            }
            if (c == '@' || c == 'C' || c == 'P' || isStillBlock(c)) {
                holdsBox[square(j, i)] = true;
            }
            if (isStillBlock(c) || isRoof(c)) {
                filings += squaresReached(j) * squaresReached(i);
            }
        }
    }
    // The walls, one cell outside the map all round.
    for (int j = -1; j <= width; ++j) {
        holdsBox[square(j, -1)] = holdsBox[square(j, height)] = true;
    }
    for (int i = 0; i < height; ++i) {
        holdsBox[square(-1, i)] = holdsBox[square(width, i)] = true;
    }
    const int64_t boxSquares = std::count(holdsBox.begin(), holdsBox.end(), true);
    const int64_t cellsAround = 2 * (int64_t(width) + 2) + 2 * int64_t(height);

    bytes = kPerCell * width * height + kPerSquare * across * down + kPerBoxSquare * boxSquares
          + kBuiltAlways + kPerCellAround * cellsAround + kPerBlock * buildings + kPerRoof * roofs
          + kPerFiling * filings + kPerActivist * activists + kPerCitizen * citizens + kPerPolice * police
          + kPerWaypoint * waypoints;
}

int64_t LevelReport::megabytes() const
{
    return (bytes + (1 << 20) - 1) >> 20;
}

bool LevelReport::fitsBudget() const
{
    return megabytes() <= mostMegabytes;
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
    if (!fitsBudget()) {
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

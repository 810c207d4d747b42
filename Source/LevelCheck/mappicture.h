#ifndef MORVELLANT_LEVELCHECK_MAPPICTURE_H
#define MORVELLANT_LEVELCHECK_MAPPICTURE_H

#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "LevelCheck/canvas.h"

class TrokMap;
class PoliceBeats;

// What the games of a level left on its map, by cell (row * width + column).
struct PlayMarks
{
    std::map<int, uint32_t> won;    // citizens won over on the cell
    std::map<int, uint32_t> lost;   // citizens lost to the police on the cell
    std::set<std::pair<int, int>> steps;    // the simple player's, from cell to cell
};

// A level seen from above as the game builds it, in the game's colours: the
// ground, blocks lighter the more storeys they have, roof blocks lighter the
// higher they float, the walls round the map hatched, the activist, the
// citizens, the police and their waypoints, the beats they walk; beneath, a
// legend. With marks, also where citizens were won over and lost, in the
// tints the game gives them, stronger the more often, and the simple
// player's paths in faint lines. The map part has the walls in its first and last
// rows and columns. Neither side of the picture exceeds kLargestSide: on a
// big level several cells share a pixel.
class MapPicture
{
public:
    static constexpr int kLargestSide = 4096;

    int cellPixels;         // the side of a cell's square; 1 when cells share pixels
    int cellsPerPixel;      // 1, or how many cells share a pixel's side
    Canvas canvas;

    MapPicture(const TrokMap& map, const PoliceBeats& beats, const PlayMarks* marks);

private:
    int columns;            // the map's, and one wall either side
    int rows;
    int mapWidth;           // of the map part, in pixels
    int mapHeight;

    int origin(int cell) const;             // of a map column or row, in pixels
    void drawGround(const TrokMap& map);
    void drawWalls();
    void drawPath(const PlayMarks& marks, int width);
    void drawBeats(const PoliceBeats& beats);
    void drawPlaced(const TrokMap& map);
    void drawHeat(const PlayMarks& marks, int width);
    int drawLegend(int width, int top, bool withHeat, bool draw);
};

#endif

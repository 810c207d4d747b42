#include "LevelCheck/mappicture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Game/trokmap.h"
#include "Game/trokobject.h"
#include "LevelCheck/policebeats.h"

namespace
{

// A cell's square at most, and the map part's side at most: the legend
// beneath has the rest of the picture's largest side.
const int kCellPixels = 10;
const int kLargestMap = 3840;
// Narrower maps get a picture this wide, for their legend.
const int kLeastLegendWidth = 240;
// The game tints a citizen's colour by this much at full alignment.
const int kFullTint = 128;

const Color kLegendBackground(32, 32, 32, 255);
const Color kLegendText(255, 255, 255, 255);

enum class Thing { street, block, roof, wall, activist, citizen, police, waypoint, beat, won, lost, path };

Color rgbOf(const Color& colour)
{
    return Color(colour.getr(), colour.getg(), colour.getb(), 255);
}

Color scaled(const Color& colour, int part, int whole)
{
    const auto channel = [part, whole](int value) { return static_cast<GLubyte>(std::min(255, value * part / whole)); };
    return Color(channel(colour.getr()), channel(colour.getg()), channel(colour.getb()), 255);
}

// White blocks, darker the lower: seven storeys are the game's white.
Color blockColour(int storeys)
{
    return scaled(OBJ_BUILDING.fillcolor, storeys + 2, 9);
}

// The roof's colour where it lies in the ground ('a'), lighter by half of
// that for each cell higher.
Color roofColour(int height)
{
    return scaled(OBJ_BUILDING_EXTRA.fillcolor, height + 2, 2);
}

// The game draws no waypoints: theirs and the beats' are the police's colour,
// halfway to white, to stand out on the ground.
Color beatColour()
{
    const Color& c = OBJ_POLICE.fillcolor;
    return Color(static_cast<GLubyte>((c.getr() + 255) / 2), static_cast<GLubyte>((c.getg() + 255) / 2),
                 static_cast<GLubyte>((c.getb() + 255) / 2), 255);
}

// The simple player's steps: the activist's colour at half strength.
Color pathColour()
{
    return scaled(OBJ_TROK.fillcolor, 1, 2);
}

// A citizen as the game tints it at full alignment: won over, it loses green;
// lost to the police, it turns blue.
Color wonColour()
{
    const Color& c = OBJ_CITIZEN.fillcolor;
    return Color(c.getr(), static_cast<GLubyte>(c.getg() - kFullTint), c.getb(), 255);
}

Color lostColour()
{
    const Color& c = OBJ_CITIZEN.fillcolor;
    return Color(static_cast<GLubyte>(c.getr() - kFullTint), static_cast<GLubyte>(c.getg() - kFullTint),
                 static_cast<GLubyte>(c.getb() + kFullTint), 255);
}

// What a cell shows beneath whatever stands on it.
Color groundOf(char c)
{
    if (c == '#' || c == '$') {
        return blockColour(1);
    }
    if (c >= '0' && c <= '7') {
        return blockColour(c - '0');
    }
    if (c >= 'a' && c <= 'g') {
        return roofColour(c - 'a');
    }
    return rgbOf(OBJ_GROUND.fillcolor);
}

// The walls are invisible in the game: here white hatching on the ground.
void hatch(Canvas& canvas, int x, int y, int w, int h)
{
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            canvas.fill(column, row, 1, 1, (column + row) % 4 == 0 ? rgbOf(OBJ_WALL.fillcolor)
                                                                     : rgbOf(OBJ_GROUND.fillcolor));
        }
    }
}

// An agent fills its cell but for a border a fifth as wide; a waypoint is a
// smaller square in the middle; a beat runs through the middle.
void drawThing(Canvas& canvas, int x, int y, int side, Thing thing)
{
    const int agentBorder = side / 5;
    const int waypointSide = std::max(1, side * 2 / 5);
    switch (thing) {
    case Thing::activist:
    case Thing::citizen:
    case Thing::police: {
        const TrokObjectInit& preset =
            thing == Thing::activist ? OBJ_TROK : thing == Thing::citizen ? OBJ_CITIZEN : OBJ_POLICE;
        canvas.fill(x + agentBorder, y + agentBorder, side - 2 * agentBorder, side - 2 * agentBorder,
                    rgbOf(preset.fillcolor));
        break;
    }
    case Thing::waypoint:
        canvas.fill(x + (side - waypointSide) / 2, y + (side - waypointSide) / 2, waypointSide, waypointSide,
                    beatColour());
        break;
    case Thing::beat:
    case Thing::path:
        canvas.line(x, y + side / 2, x + side - 1, y + side / 2, thing == Thing::beat ? beatColour() : pathColour());
        break;
    case Thing::won:
        canvas.fill(x, y, side, side, wonColour());
        break;
    case Thing::lost:
        canvas.fill(x, y, side, side, lostColour());
        break;
    default:
        break;
    }
}

struct LegendEntry
{
    Thing thing;
    int storeys;            // of a block
    const char* label;
};

const LegendEntry kLegend[] = {
    { Thing::street, 0, "STREET" }, { Thing::block, 0, "0" }, { Thing::block, 1, "1" },
    { Thing::block, 2, "2" }, { Thing::block, 3, "3" }, { Thing::block, 4, "4" }, { Thing::block, 5, "5" },
    { Thing::block, 6, "6" }, { Thing::block, 7, "7" }, { Thing::roof, 0, "ROOF" }, { Thing::wall, 0, "WALL" },
    { Thing::activist, 0, "ACTIVIST" }, { Thing::citizen, 0, "CITIZEN" }, { Thing::police, 0, "POLICE" },
    { Thing::waypoint, 0, "WAYPOINT" }, { Thing::beat, 0, "BEAT" },
};
const LegendEntry kHeatLegend[] = {
    { Thing::won, 0, "WON" }, { Thing::lost, 0, "LOST" }, { Thing::path, 0, "PATH" },
};

}  // namespace

MapPicture::MapPicture(const TrokMap& map, const PoliceBeats& beats, const PlayMarks* marks)
    : cellPixels(kCellPixels), cellsPerPixel(1), canvas(0, 0, kLegendBackground),
      columns(map.getWidth() + 2), rows(map.getHeight() + 2), mapWidth(0), mapHeight(0)
{
    const int cells = std::max(columns, rows);
    if (cells * kCellPixels > kLargestMap) {
        cellPixels = kLargestMap / cells;
    }
    if (cellPixels == 0) {
        cellPixels = 1;
        cellsPerPixel = (cells + kLargestMap - 1) / kLargestMap;
    }
    mapWidth = (columns + cellsPerPixel - 1) / cellsPerPixel * cellPixels;
    mapHeight = (rows + cellsPerPixel - 1) / cellsPerPixel * cellPixels;
    const int width = std::max(mapWidth, kLeastLegendWidth);
    const int legend = drawLegend(width, mapHeight, marks != nullptr, false);
    canvas = Canvas(width, std::min(kLargestSide, mapHeight + legend), kLegendBackground);

    drawGround(map);
    drawWalls();
    if (marks != nullptr) {
        drawPath(*marks, map.getWidth());
    }
    drawBeats(beats);
    drawPlaced(map);
    if (marks != nullptr) {
        drawHeat(*marks, map.getWidth());
    }
    drawLegend(width, mapHeight, marks != nullptr, true);
}

// Column or row -1 is the wall before the map.
int MapPicture::origin(int cell) const
{
    return (cell + 1) / cellsPerPixel * cellPixels;
}

void MapPicture::drawGround(const TrokMap& map)
{
    const int width = map.getWidth();
    const int height = map.getHeight();
    if (cellsPerPixel == 1) {
        for (int i = 0; i < height; ++i) {
            for (int j = 0; j < width; ++j) {
                const char c = map.get(static_cast<unsigned int>(i), static_cast<unsigned int>(j));
                canvas.fill(origin(j), origin(i), cellPixels, cellPixels, groundOf(c));
            }
        }
        return;
    }
    // A pixel shared by several cells shows their colours mixed.
    for (int y = 0; y < mapHeight; ++y) {
        for (int x = 0; x < mapWidth; ++x) {
            int sum[3] = { 0, 0, 0 };
            int count = 0;
            for (int i = std::max(0, y * cellsPerPixel - 1); i < std::min(height, (y + 1) * cellsPerPixel - 1); ++i) {
                for (int j = std::max(0, x * cellsPerPixel - 1); j < std::min(width, (x + 1) * cellsPerPixel - 1);
                     ++j) {
                    const Color c = groundOf(map.get(static_cast<unsigned int>(i), static_cast<unsigned int>(j)));
                    sum[0] += c.getr();
                    sum[1] += c.getg();
                    sum[2] += c.getb();
                    ++count;
                }
            }
            if (count > 0) {
                canvas.fill(x, y, 1, 1, Color(static_cast<GLubyte>(sum[0] / count),
                                              static_cast<GLubyte>(sum[1] / count),
                                              static_cast<GLubyte>(sum[2] / count), 255));
            }
        }
    }
}

void MapPicture::drawWalls()
{
    const int side = cellPixels;
    const int last = origin(columns - 2);
    const int bottom = origin(rows - 2);
    hatch(canvas, 0, 0, mapWidth, side);
    hatch(canvas, 0, bottom, mapWidth, side);
    hatch(canvas, 0, side, side, bottom - side);
    hatch(canvas, last, side, side, bottom - side);
}

void MapPicture::drawPath(const PlayMarks& marks, int width)
{
    const int middle = cellPixels / 2;
    for (const auto& step : marks.steps) {
        canvas.line(origin(step.first % width) + middle, origin(step.first / width) + middle,
                    origin(step.second % width) + middle, origin(step.second / width) + middle, pathColour());
    }
}

void MapPicture::drawBeats(const PoliceBeats& beats)
{
    const int middle = cellPixels / 2;
    for (const PoliceBeats::Leg& leg : beats.legs) {
        canvas.line(origin(leg.fromColumn) + middle, origin(leg.fromRow) + middle, origin(leg.toColumn) + middle,
                    origin(leg.toRow) + middle, beatColour());
    }
}

void MapPicture::drawPlaced(const TrokMap& map)
{
    for (int i = 0; i < map.getHeight(); ++i) {
        for (int j = 0; j < map.getWidth(); ++j) {
            const char c = map.get(static_cast<unsigned int>(i), static_cast<unsigned int>(j));
            const Thing thing = c == '@' ? Thing::activist : c == 'C' ? Thing::citizen : c == 'P' ? Thing::police
                              : c == 'W' ? Thing::waypoint : Thing::street;
            if (thing != Thing::street) {
                drawThing(canvas, origin(j), origin(i), cellPixels, thing);
            }
        }
    }
}

// Each cell (or pixel shared by cells) takes its tint from half strength to
// full as its count grows to the most any has; the two tints add up.
void MapPicture::drawHeat(const PlayMarks& marks, int width)
{
    std::map<std::pair<int, int>, std::pair<uint32_t, uint32_t>> counts;   // (x, y): (won, lost)
    for (const auto& cell : marks.won) {
        counts[{ origin(cell.first % width), origin(cell.first / width) }].first += cell.second;
    }
    for (const auto& cell : marks.lost) {
        counts[{ origin(cell.first % width), origin(cell.first / width) }].second += cell.second;
    }
    uint64_t most = 0;
    for (const auto& count : counts) {
        most = std::max<uint64_t>(most, std::max(count.second.first, count.second.second));
    }
    const Color won = wonColour();
    const Color lost = lostColour();
    for (const auto& count : counts) {
        const uint64_t w = count.second.first == 0 ? 0 : most + count.second.first;
        const uint64_t l = count.second.second == 0 ? 0 : most + count.second.second;
        const auto channel = [w, l, most](int wonValue, int lostValue) {
            return static_cast<GLubyte>(std::min<uint64_t>(255, wonValue * w / (2 * most) + lostValue * l / (2 * most)));
        };
        canvas.fill(count.first.first, count.first.second, cellPixels, cellPixels,
                    Color(channel(won.getr(), lost.getr()), channel(won.getg(), lost.getg()),
                          channel(won.getb(), lost.getb()), 255));
    }
}

// Swatches with their names in rows beneath the map; returns the height taken.
int MapPicture::drawLegend(int width, int top, bool withHeat, bool draw)
{
    const int scale = std::max(1, std::min(8, width / 250));
    const int swatch = 7 * scale;
    const int gap = 2 * scale;
    const int rowHeight = swatch + 3 * scale;
    std::vector<LegendEntry> entries(std::begin(kLegend), std::end(kLegend));
    if (withHeat) {
        entries.insert(entries.end(), std::begin(kHeatLegend), std::end(kHeatLegend));
    }
    int x = gap;
    int y = top + 2 * gap;
    for (const LegendEntry& entry : entries) {
        const int entryWidth = swatch + gap + Canvas::textWidth(entry.label, scale) + 2 * gap;
        if (x > gap && x + entryWidth > width) {
            x = gap;
            y += rowHeight;
        }
        if (draw) {
            canvas.fill(x, y, swatch, swatch, rgbOf(OBJ_GROUND.fillcolor));
            if (entry.thing == Thing::block) {
                canvas.fill(x, y, swatch, swatch, blockColour(entry.storeys));
            } else if (entry.thing == Thing::roof) {
                for (int height = 0; height < 7; ++height) {
                    canvas.fill(x + height * scale, y, scale, swatch, roofColour(height));
                }
            } else if (entry.thing == Thing::wall) {
                hatch(canvas, x, y, swatch, swatch);
            } else {
                drawThing(canvas, x, y, swatch, entry.thing);
            }
            canvas.text(x + swatch + gap, y + scale, scale, entry.label, kLegendText);
        }
        x += entryWidth;
    }
    return y + rowHeight + gap - top;
}

#ifndef MORVELLANT_GAME_LEVELREPORT_H
#define MORVELLANT_GAME_LEVELREPORT_H

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class TrokMap;

// What a level designer wants to know about a level before playing it: what
// it places, and whether the game can be played and won on it.
class LevelReport
{
public:
    bool loaded;        // the map file loaded
    int width;
    int height;
    int activists;
    int citizens;
    int police;
    int waypoints;
    int buildings;      // blocks of any height
    int roofs;
    std::vector<std::string> problems;  // each makes the level unplayable
    std::vector<std::string> warnings;  // playable, but probably not intended

private:
    int64_t bytes;      // what building a game of it takes at its peak, by count()

public:
    // A game may take this much memory; a level that would need more is
    // refused before anything is built.
    static const int64_t mostMegabytes = 2048;

    explicit LevelReport(const TrokMap& map);

    bool playable() const;
    // What building a game of the level takes at its peak, rounded up: the
    // objects, the lists and indexes that hold them, the waypoints and the map.
    int64_t megabytes() const;
    // Whether a game of it fits in what a game may use: the game and the
    // level checker decide by this one test.
    bool fitsBudget() const;
    void print(std::ostream& out) const;

private:
    void count(const TrokMap& map);
    void judge();
};

#endif

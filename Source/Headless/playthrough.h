#ifndef MORVELLANT_HEADLESS_PLAYTHROUGH_H
#define MORVELLANT_HEADLESS_PLAYTHROUGH_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Base/vector.h"

class TrokObject;
class TrokWorld;

// Plays levels as the game would, without a window: the whole program on the
// windowless platform, with the game's own code and rules, frames of a
// steady length on a simulated clock, and a player at the keyboard that is
// either idle or simple. The simple player walks the streets to the nearest
// undecided citizen, by the shortest way over the grid, and talks twice a
// second. A level designer asks it whether a level is any good to play.
class Playthrough
{
public:
    static const uint32_t frameMs = 30;  // a steady 33 frames a second

    // A citizen that locked in, and the cell (row * width + column) it stood on.
    struct Conversion
    {
        int cell;
        bool won;           // won over by the activist, else lost to the police
    };

    struct Result
    {
        int state;          // STATE_WON, STATE_LOST, or STATE_PLAYING when undecided
        uint32_t ms;        // simulated time played
        std::vector<Conversion> conversions;    // in the order they happened
        std::vector<int> path;  // the cells the simple player entered, in order
    };

    // Starts the program once, in a scratch directory of its own, where the
    // levels to play are written: the game reads its level from there.
    Playthrough();
    ~Playthrough();
    Playthrough(const Playthrough&) = delete;
    Playthrough& operator=(const Playthrough&) = delete;

    // One game of the level whose text is given, hostRand() seeded with seed as
    // the city is built, for at most limitMs of simulated time; then back to
    // the title. The game's standard output is not shown. A level the game
    // refuses gives STATE_TITLE.
    Result play(const std::string& level, unsigned seed, bool simplePlayer, uint32_t limitMs);

private:
    TrokWorld* world;
    std::filesystem::path scratch;  // the working directory while it plays
    std::filesystem::path left;     // the one it left for it
    bool held[4];           // the arrows the player holds
    // The simple player's search: the game's citizens, and per cell of the
    // map the undecided citizen there and the cell the search came from.
    std::vector<const TrokObject*> citizens;
    std::vector<bool> decided;  // per citizen: its alignment has reached magnitude 1
    std::vector<const TrokObject*> citizenAt;
    std::vector<int> cameFrom;
    std::vector<int> reached;   // the cells the search reached, in order

    void frame();
    void findCitizens();
    int cellOfObject(const TrokObject& object) const;
    void watch(bool simplePlayer, Result& result);
    Vector nextGoal();
    void steer();
};

#endif

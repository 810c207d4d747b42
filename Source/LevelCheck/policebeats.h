#ifndef MORVELLANT_LEVELCHECK_POLICEBEATS_H
#define MORVELLANT_LEVELCHECK_POLICEBEATS_H

#include <cstdint>
#include <vector>

class TrokMap;

// The beats the police of a level walk: from each officer's start, from
// waypoint to waypoint in the order the game's own choice sends it, until
// its walk repeats. A leg that another officer walks as well is kept once.
// The game's waypoint list is filled as city construction fills it, and
// emptied again afterwards.
class PoliceBeats
{
public:
    struct Leg
    {
        int fromColumn;
        int fromRow;
        int toColumn;
        int toRow;
    };

    std::vector<Leg> legs;      // the officers' first legs, then the waypoints' legs
    bool complete;              // false when the walks were too long to follow to the end

    explicit PoliceBeats(const TrokMap& map);
};

#endif

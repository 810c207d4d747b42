#include "LevelCheck/policebeats.h"

#include <set>
#include <utility>

#include "Base/vector.h"
#include "Game/trokmap.h"
#include "Game/trokmovement.h"

namespace
{

// Every choice of a waypoint measures the distance to all of them: the walks
// are followed for this many distances, a few seconds' work. The default
// city tiled over 1024 x 1024 cells takes 620 million; a level with half a
// million waypoints in rows gets its beats drawn in part.
const int64_t kMostDistances = 1000000000;

// Where an officer stands on a cell: its box on the cell, centred.
Vector centreOf(int column, int row)
{
    return Vector(static_cast<float>(column) + 0.5f, 1.5f, static_cast<float>(row) + 0.5f);
}

}  // namespace

PoliceBeats::PoliceBeats(const TrokMap& map)
    : legs(), complete(true)
{
    const int width = map.getWidth();
    const int height = map.getHeight();
    std::vector<std::pair<int, int>> waypoints;     // column and row, as the game adds them
    std::vector<std::pair<int, int>> officers;
    TrokMovementAIPolice::clearWaypoints();
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            const char c = map.get(static_cast<unsigned int>(i), static_cast<unsigned int>(j));
            if (c == 'W') {
                TrokMovementAIPolice::addWaypoint(Vector(static_cast<float>(j), 1.0f, static_cast<float>(i)));
                waypoints.emplace_back(j, i);
            } else if (c == 'P') {
                officers.emplace_back(j, i);
            }
        }
    }

    // An officer walks from a waypoint it came from to the one it heads for;
    // once it heads somewhere as before, from where it came before, all the
    // rest has been walked too.
    std::set<std::pair<int, int>> walked;
    int64_t distances = 0;
    const int64_t perChoice = static_cast<int64_t>(waypoints.size());
    const auto nearest = [&distances, perChoice](Vector at, int excluded1, int excluded2) {
        distances += perChoice;
        return TrokMovementAIPolice::nearestWaypointFromExcluding(at, excluded1, excluded2);
    };
    for (const auto& officer : officers) {
        int from = -1;
        int goal = nearest(centreOf(officer.first, officer.second), -1, -1);
        if (goal == -1) {
            continue;   // no waypoints: the officer has no beat
        }
        legs.push_back({ officer.first, officer.second, waypoints[goal].first, waypoints[goal].second });
        while (walked.insert({ from, goal }).second) {
            if (distances > kMostDistances) {
                complete = false;
                break;
            }
            // Arrived: on to the nearest but the last two. With none, the
            // officer stands one frame without a goal, then turns back.
            const Vector at = centreOf(waypoints[goal].first, waypoints[goal].second);
            int next = nearest(at, from, goal);
            from = goal;
            if (next == -1) {
                next = nearest(at, goal, -1);
                from = -1;
            }
            if (next == -1) {
                break;  // the only waypoint: the officer stays on it
            }
            legs.push_back({ waypoints[goal].first, waypoints[goal].second, waypoints[next].first,
                             waypoints[next].second });
            goal = next;
        }
    }
    TrokMovementAIPolice::clearWaypoints();
}

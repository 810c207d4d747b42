#ifndef MORVELLANT_GAME_TROKPHYSICS_H
#define MORVELLANT_GAME_TROKPHYSICS_H

#include <cstdint>
#include <vector>

#include "Base/location.h"
#include "Base/vector.h"
#include "Game/trokcomponent.h"

class TrokObject;

// Where an object is (the centre of an axis-aligned box), how big it is and
// how fast it moves. Obstructive components share one process-wide list that
// the collision pass and the radius search walk.
class TrokPhysics : public TrokComponent
{
public:
    // pos is the box's minimum corner; obstructive components join `objects`.
    TrokPhysics(TrokObject* parent, Vector pos, Vector size, bool obstructive, uint8_t pushrank,
                bool isMovingObject);
    ~TrokPhysics();
    TrokPhysics(const TrokPhysics&) = delete;
    TrokPhysics& operator=(const TrokPhysics&) = delete;

    Location getCurrentLocation() const;
    Vector getSize() const;
    // A direction too short to normalise stops the object.
    void moveInDirWithSpeed(Vector direction, float speed);
    // Heads for the point where the minimum corner of the box's last unit
    // cell lies on destination; full speed until exactly there.
    void moveToGridLocWithSpeed(Vector destination, float speed);
    void faceDir(Vector direction);
    // One frame of motion at the event loop's frame rate.
    void update();

    // Pushes every moving box out of what it overlaps: one pass per frame.
    static void processCollisions();
    // The objects of behaviour type `type` whose centres lie within `radius`
    // (inclusive, three-dimensional) of this centre, in list order. Only
    // obstructive objects can be found, this one included.
    std::vector<TrokObject*> findBehaviorTypeObjectsInRadius(int type, float radius) const;

protected:
    Location loc;
    Location prevloc;           // loc as it was at the start of the last update
    Vector vel;                 // grid units per second
    Vector acc;                 // grid units per second squared
    Vector size;
    bool obstructive;
    uint8_t pushrank;           // kept only: the push-out ignores ranks
    uint8_t worldpushrank[6];   // unused; zeroed
    bool isMovingObject;        // only moving boxes start tests and get pushed

    static std::vector<TrokPhysics*> objects;

    // Do [a, a + aw) and [b, b + bw) overlap? Touching faces do not.
    static bool testSingleOverlap(float a, float aw, float b, float bw);
    // Moves this box out of other by the shortest push along one axis.
    void collide(TrokPhysics* other);
};

#endif

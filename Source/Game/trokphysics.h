#ifndef MORVELLANT_GAME_TROKPHYSICS_H
#define MORVELLANT_GAME_TROKPHYSICS_H

#include <cstdint>
#include <vector>

#include "Base/location.h"
#include "Base/vector.h"
#include "Game/trokcomponent.h"
#include "Game/trokgrid.h"

class TrokObject;

// Where an object is (the centre of an axis-aligned box), how big it is and
// how fast it moves. Obstructive components share one process-wide list that
// the collision pass and the radius search walk. A grid of the cells each
// listed box covers, kept current whenever a box moves, lets both look only
// near the place in question; they give exactly what a walk of the whole
// list gives, in the same order.
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
    // Not a moving object, so never pushed, and neither moving nor speeding up.
    bool isAtRest() const;
    // One frame of motion at the event loop's frame rate.
    void update();
    // Puts a moving box that has left the rectangle [minX, maxX] x [minZ, maxZ]
    // (on the ground plane) back inside it, touching the edge it crossed.
    void keepWithin(float minX, float minZ, float maxX, float maxZ);

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

    // The broad phase. `order` sorts what the grid finds into list order:
    // components join the list's end and leave it without reordering it.
    uint64_t order;
    TrokGrid::Span cells;       // where the grid holds this box, while listed
    static TrokGrid grid;
    // The listed components that move, in list order: the collision pass
    // starts from these alone.
    static std::vector<TrokPhysics*> movers;
    static uint64_t created;    // components built so far
    // Off, the public operations walk the whole list as they used to: the
    // tests compare the two ways.
    static bool broadPhase;

    // Do [a, a + aw) and [b, b + bw) overlap? Touching faces do not.
    static bool testSingleOverlap(float a, float aw, float b, float bw);
    // Moves this box out of other by the shortest push along one axis.
    void collide(TrokPhysics* other);

    // The collision pass and the radius search over the whole list.
    static void processCollisionsByScan();
    std::vector<TrokObject*> findByScan(int type, float radius) const;
    // Files the box under the cells it covers now; call after every move.
    void refreshCells();

private:
    TrokGrid::Span boxCells() const;
    static bool overlaps(const TrokPhysics* a, const TrokPhysics* b);
    static void meet(TrokPhysics* a, TrokPhysics* b);
    bool isFound(const TrokPhysics* other, int type, float radius) const;
    // What the grid holds near `span` that comes after `after` in list
    // order, in list order, once each, without `self`.
    static void candidates(const TrokGrid::Span& span, const TrokPhysics* self, uint64_t after,
                           std::vector<TrokGrid::Entry>& found);
};

#endif

#ifndef MORVELLANT_TESTS_HANDBUILT_H
#define MORVELLANT_TESTS_HANDBUILT_H

#include <string>
#include <vector>

#include "Base/vector.h"
#include "Game/trokbehavior.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"

// Reaches the physics component's protected state and helpers.
class PhysicsProbe : public TrokPhysics
{
public:
    using TrokPhysics::TrokPhysics;

    static const std::vector<TrokPhysics*>& list() { return objects; }
    // Off: the collision pass and the radius search walk the whole list.
    static void setBroadPhase(bool on) { broadPhase = on; }
    static bool overlap(float a, float aw, float b, float bw) { return testSingleOverlap(a, aw, b, bw); }
    static Vector velocityOf(const TrokPhysics& p) { return p.*(&PhysicsProbe::vel); }
    static Location previousOf(const TrokPhysics& p) { return p.*(&PhysicsProbe::prevloc); }
    static void setAcceleration(TrokPhysics& p, Vector a) { p.*(&PhysicsProbe::acc) = a; }
    static void setVelocity(TrokPhysics& p, Vector v) { p.*(&PhysicsProbe::vel) = v; }
    // Moves the box as a push would, refiling it in the grid.
    static void setCentre(TrokPhysics& p, Vector c)
    {
        (p.*(&PhysicsProbe::loc)).set(c);
        (p.*(&PhysicsProbe::refreshCells))();
    }
};

// A behaviour that logs every collide call as "self>other" by name.
class RecordingBehavior : public TrokBehavior
{
public:
    RecordingBehavior(TrokObject* parent, int type, std::string name, std::vector<std::string>* log)
        : TrokBehavior(parent, type), name(std::move(name)), log(log) {}

    void act() override {}
    void collide(TrokBehavior* other) override
    {
        if (log != nullptr) {
            log->push_back(name + ">" + static_cast<RecordingBehavior*>(other)->name);
        }
    }

    const std::string name;

private:
    std::vector<std::string>* log;
};

// A static, invisible object whose physics and behaviour are replaced by the
// ones under test: any box, any flags, a behaviour that records collisions.
class HandBuilt
{
public:
    HandBuilt(const std::string& name, Vector corner, Vector size, bool moving,
              int type = BEHAV_BUILDING, bool obstructive = true, std::vector<std::string>* log = nullptr)
        : obj(new TrokObject(OBJ_WALL, Vector(-100.0f, -100.0f, -100.0f), Vector(1.0f, 1.0f, 1.0f)))
    {
        // Swap the preset's physics and behaviour for the ones under test; the
        // new physics joins the shared list in construction order.
        delete obj->physics;
        obj->physics = new PhysicsProbe(obj, corner, size, obstructive, 255, moving);
        delete obj->behavior;
        obj->behavior = new RecordingBehavior(obj, type, name, log);
    }
    ~HandBuilt() { delete obj; }
    HandBuilt(const HandBuilt&) = delete;
    HandBuilt& operator=(const HandBuilt&) = delete;

    TrokObject* object() { return obj; }
    TrokPhysics& physics() { return *obj->physics; }

private:
    TrokObject* obj;
};

#endif

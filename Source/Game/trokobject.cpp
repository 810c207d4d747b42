#include "Game/trokobject.h"

#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokmovement.h"
#include "Game/trokphysics.h"

TrokObjectInit::TrokObjectInit(int32_t moveType, float moveSpeed, Vector pos, Vector size,
                               bool obstructive, uint8_t pushrank, bool isMovingObject,
                               int32_t behavType, Color fillcolor, Color linecolor)
    : moveType(moveType), moveSpeed(moveSpeed), pos(pos), size(size), obstructive(obstructive),
      pushrank(pushrank), isMovingObject(isMovingObject), behavType(behavType),
      fillcolor(fillcolor), linecolor(linecolor)
{
}

// Static initialisation: the presets hold their values before main() runs.
// The four-byte Color constructor leaves the shift generator alone.
static const Vector kUnit(1.0f, 1.0f, 1.0f);
static const Vector kAside(-1.0f, 0.0f, 0.0f);
static const Color kBlack(0, 0, 0, 255);
static const Color kWhite(255, 255, 255, 255);

//                                  move speed  pos                     size   obstr  rank  moving behaviour fill                          line
const TrokObjectInit OBJ_GROUND(        0, 1.0f, kAside,                 kUnit, false, 255, false, 3, kBlack,                       kWhite);
const TrokObjectInit OBJ_CITIZEN(       2, 2.5f, kAside,                 kUnit, true,  255, true,  7, Color(252, 255, 117, 255),    kBlack);
const TrokObjectInit OBJ_POLICE(        3, 3.7f, kAside,                 kUnit, true,  255, true,  8, Color(32, 32, 220, 255),      kBlack);
const TrokObjectInit OBJ_ALLY(          4, 3.3f, kAside,                 kUnit, true,  255, true,  9, Color(255, 200, 200, 255),    kBlack);
const TrokObjectInit OBJ_BUILDING_EXTRA(0, 1.0f, kAside,                 kUnit, false, 255, false, 3, Color(0, 64, 64, 255),        kBlack);
const TrokObjectInit OBJ_BUILDING(      0, 1.0f, kAside,                 kUnit, true,  255, false, 1, kWhite,                       kBlack);
const TrokObjectInit OBJ_WALL(          0, 1.0f, kAside,                 kUnit, true,  255, false, 3, Color(255, 255, 255, 0),      Color(255, 255, 255, 0));
const TrokObjectInit OBJ_TROK(          1, 3.5f, Vector(-4, 0, 0),       kUnit, true,  50,  true,  5, Color(255, 32, 32, 216),      kBlack);

// A still object never uses its controller or its behaviour: both do nothing,
// and neither looks at its object. Still objects share one controller and
// one behaviour of each type instead of a pair each, which in a big city is
// millions of pairs. The shared ones belong to no object.
static TrokMovement* sharedMovement()
{
    static TrokMovementNone none(nullptr, 0.0f);
    return &none;
}

static TrokBehavior* sharedBehavior(int type)
{
    static TrokBehaviorNone kinds[] = { { nullptr, 0 }, { nullptr, 1 }, { nullptr, 2 }, { nullptr, 3 },
                                        { nullptr, 4 }, { nullptr, 5 }, { nullptr, 6 }, { nullptr, 7 },
                                        { nullptr, 8 }, { nullptr, 9 } };
    return &kinds[type];
}

TrokObject::TrokObject(TrokObjectInit init, Vector pos, Vector size)
    : movement(nullptr), physics(nullptr), behavior(nullptr), display(nullptr)
{
    // (1, 1, 1) stands for "the record's own size"; any other size is meant.
    if (size == kUnit) {
        size = init.size;
    }
    movement = createMovement(this, init.moveType, init.moveSpeed);
    physics = new TrokPhysics(this, pos, size, init.obstructive, init.pushrank, init.isMovingObject);
    behavior = createBehavior(this, init.behavType);
    display = new TrokDisplay(this, init.fillcolor, init.linecolor);
    if (isStill()) {
        delete movement;
        movement = sharedMovement();
        const int type = behavior->getBehaviorType();
        delete behavior;
        behavior = sharedBehavior(type);
    }
}

TrokObject::~TrokObject()
{
    // The controller and the behaviour are shared together or not at all.
    const bool shared = movement == sharedMovement();
    if (!shared) {
        delete movement;
    }
    movement = nullptr;
    delete physics;     // leaves the shared collision list
    physics = nullptr;
    if (!shared) {
        delete behavior;
    }
    behavior = nullptr;
    delete display;
    display = nullptr;
}

void TrokObject::input()
{
    movement->gatherInput();
}

void TrokObject::think()
{
    // The behaviour sees where the object stood at the end of the last frame;
    // a velocity the controller asks for takes effect in this frame's update.
    behavior->act();
    movement->move();
    physics->update();
}

void TrokObject::output()
{
    display->draw();
}

bool TrokObject::isStill() const
{
    return dynamic_cast<const TrokMovementNone*>(movement) != nullptr
        && dynamic_cast<const TrokBehaviorNone*>(behavior) != nullptr && physics->isAtRest();
}

#ifndef MORVELLANT_GAME_TROKOBJECT_H
#define MORVELLANT_GAME_TROKOBJECT_H

#include <cstdint>

#include "Base/color.h"
#include "Base/vector.h"

class TrokMovement;
class TrokPhysics;
class TrokBehavior;
class TrokDisplay;

// Everything an object is built from: one record per kind of thing.
struct TrokObjectInit
{
    int32_t moveType;       // which movement controller (see createMovement)
    float moveSpeed;        // grid units per second
    Vector pos;             // a default position; objects are placed explicitly
    Vector size;            // used when the object is built with size (1, 1, 1)
    bool obstructive;       // takes part in collisions
    uint8_t pushrank;
    bool isMovingObject;    // moves, and is pushed out of what it overlaps
    int32_t behavType;      // a `types` value (see createBehavior)
    Color fillcolor;
    Color linecolor;

    TrokObjectInit(int32_t moveType, float moveSpeed, Vector pos, Vector size, bool obstructive,
                   uint8_t pushrank, bool isMovingObject, int32_t behavType, Color fillcolor,
                   Color linecolor);
};

// A thing in the city: a container of four components built together from a
// record and destroyed together. It does nothing by itself. A still object
// shares its do-nothing controller and behaviour with the other still ones.
class TrokObject
{
public:
    TrokMovement* movement;
    TrokPhysics* physics;
    TrokBehavior* behavior;
    TrokDisplay* display;

    // pos is the minimum grid corner; a size of exactly (1, 1, 1) means the
    // record's size.
    TrokObject(TrokObjectInit init, Vector pos, Vector size);
    ~TrokObject();
    TrokObject(const TrokObject&) = delete;
    TrokObject& operator=(const TrokObject&) = delete;

    void input();
    void think();   // behaviour, then movement, then physics
    void output();

    // True when input and think can never change anything about the object:
    // its controller never moves it, its behaviour does nothing and its box
    // is at rest and never pushed (the ground, walls and blocks). It stays
    // true for the object's life.
    bool isStill() const;
};

// The presets, filled before the first game and never written afterwards.
extern const TrokObjectInit OBJ_GROUND;
extern const TrokObjectInit OBJ_CITIZEN;
extern const TrokObjectInit OBJ_POLICE;
extern const TrokObjectInit OBJ_ALLY;
extern const TrokObjectInit OBJ_BUILDING_EXTRA;
extern const TrokObjectInit OBJ_BUILDING;
extern const TrokObjectInit OBJ_WALL;
extern const TrokObjectInit OBJ_TROK;

#endif

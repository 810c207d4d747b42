#ifndef MORVELLANT_GAME_TROKBEHAVIOR_H
#define MORVELLANT_GAME_TROKBEHAVIOR_H

#include "Game/trokcomponent.h"

// Behaviour types. An object keeps the exact value it was built with, and
// radius searches compare against it.
enum types
{
    BEHAV_NONE = 0,
    BEHAV_BUILDING = 1,
    BEHAV_GOAL = 2,
    BEHAV_GROUND = 3,
    BEHAV_BLOCK = 4,
    BEHAV_TROK = 5,
    BEHAV_ACTIVIST = 6,
    BEHAV_CITIZEN = 7,
    BEHAV_POLICE = 8,
    BEHAV_ALLY = 9,
    BEHAV_NULL = 10     // end of the range; never built
};

// The game rules of an object. The physics component knows only this interface.
class TrokBehavior : public TrokComponent
{
public:
    // A type above BEHAV_ALLY (or below zero) is stored as BEHAV_NONE.
    TrokBehavior(TrokObject* parent, int type);
    // Behaviours are deleted through this base: release the whole object.
    virtual ~TrokBehavior();

    virtual void act() = 0;
    // Called for every overlapping pair, in both orders.
    virtual void collide(TrokBehavior* other) = 0;

    types getBehaviorType() const;

protected:
    types type;
};

#endif

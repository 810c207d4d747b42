#ifndef MORVELLANT_GAME_TROKBEHAVIOR_H
#define MORVELLANT_GAME_TROKBEHAVIOR_H

#include "Base/color.h"
#include "Base/timer.h"
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

// Static things, the ground and allies: no rules.
class TrokBehaviorNone : public TrokBehavior
{
public:
    TrokBehaviorNone(TrokObject* parent, int type);

    void act() override;
    void collide(TrokBehavior* other) override;
};

// A citizen's alignment, from -1 (won by the police) to +1 (won by the
// activist), shown by tinting its fill colour. A nudge that brings it to
// magnitude 1 locks it for good and reports the conversion to the score.
class TrokBehaviorCitizen : public TrokBehavior
{
public:
    // Draws the alignment: one randomFloat, at construction.
    TrokBehaviorCitizen(TrokObject* parent, int type);

    void act() override;
    void collide(TrokBehavior* other) override;
    // The activist's nudge: -0.1 to +0.3.
    void affectAlignment();
    // The police's nudge: -0.4 to +0.1.
    void affectAlignmentNeg();
    float getAlignment() const;

private:
    float alignment;
    Color origColor;        // the display's fill colour, captured on the first act
    Color adjustmentColor;  // the tint written back to the display
    bool haveOrigColor;
    bool lockedAlign;

    void nudge(float least, float most);
};

// The activist: every press of the talk key nudges the citizens within reach.
// Its object must have the keyboard controller.
class TrokBehaviorActivist : public TrokBehavior
{
public:
    TrokBehaviorActivist(TrokObject* parent, int type);

    void act() override;
    void collide(TrokBehavior* other) override;

private:
    void talk();
};

// A police officer: talks on its own random rhythm of 1 to 4 seconds,
// nudging the citizens within reach.
class TrokBehaviorPolice : public TrokBehavior
{
public:
    TrokBehaviorPolice(TrokObject* parent, int type);

    void act() override;
    void collide(TrokBehavior* other) override;
    // Called when a nearby activist talks; the police do not react.
    void overhearActivist();

private:
    Timer talkTimer;        // time since the last talk
    float talkInterval;     // seconds to wait after a talk before the next
    bool talkReady;         // the next act talks

    void talk();
};

// A new behaviour for a `types` value from BEHAV_NONE to BEHAV_ALLY, owned by
// the caller. Any other value ends the process with status 38.
TrokBehavior* createBehavior(TrokObject* parent, int type);

#endif

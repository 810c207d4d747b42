#include "Game/trokbehavior.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "Base/utility.h"
#include "Game/trokdisplay.h"
#include "Game/trokmovement.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"

// How far a talk carries, centre to centre.
static const float kActivistReach = 4.0f;
static const float kPoliceReach = 5.0f;
// A police officer waits this long between talks, in seconds.
static const float kShortestPause = 1.0f;
static const float kLongestPause = 4.0f;
// The first police talk comes this long after the officer is built.
static const float kFirstPause = kShortestPause;
// Full alignment tints a channel by this much.
static const double kTintScale = 128.0;

TrokBehavior::TrokBehavior(TrokObject* parent, int type)
    : TrokComponent(parent),
      // A negative code cannot be held by `types` either, so it falls back
      // the same way as one above the range.
      type(type < BEHAV_NONE || type > BEHAV_ALLY ? BEHAV_NONE : static_cast<types>(type))
{
}

TrokBehavior::~TrokBehavior()
{
}

types TrokBehavior::getBehaviorType() const
{
    return type;
}

// --- none ------------------------------------------------------------------

TrokBehaviorNone::TrokBehaviorNone(TrokObject* parent, int type)
    : TrokBehavior(parent, type)
{
}

void TrokBehaviorNone::act()
{
}

void TrokBehaviorNone::collide(TrokBehavior*)
{
}

// --- citizen ---------------------------------------------------------------

TrokBehaviorCitizen::TrokBehaviorCitizen(TrokObject* parent, int type)
    : TrokBehavior(parent, type), alignment(randomFloat(-1.0f, 1.0f)), origColor(),
      adjustmentColor(), haveOrigColor(false), lockedAlign(false)
{
}

void TrokBehaviorCitizen::act()
{
    if (alignment > 1.0f) {
        alignment = 1.0f;
    } else if (alignment < -1.0f) {
        alignment = -1.0f;
    }
    if (!haveOrigColor) {
        origColor = parent->display->getFillColor();
        adjustmentColor = origColor;
        haveOrigColor = true;
    }
    // Byte arithmetic wraps, as the channels are bytes.
    const GLubyte tint = static_cast<GLubyte>(static_cast<int>(std::fabs(alignment) * kTintScale));
    if (alignment > 0.0f) {
        // Warmer towards the activist; red and blue keep what they last held.
        adjustmentColor.setg(static_cast<GLubyte>(origColor.getg() - tint));
    } else if (alignment < 0.0f) {
        // Bluer towards the police.
        adjustmentColor.setg(static_cast<GLubyte>(origColor.getg() - tint));
        adjustmentColor.setr(static_cast<GLubyte>(origColor.getr() - tint));
        adjustmentColor.setb(static_cast<GLubyte>(origColor.getb() + tint));
    } else {
        adjustmentColor = origColor;
    }
    parent->display->setFillColor(adjustmentColor);
}

void TrokBehaviorCitizen::collide(TrokBehavior*)
{
}

void TrokBehaviorCitizen::affectAlignment()
{
    nudge(-0.1f, 0.3f);
}

void TrokBehaviorCitizen::affectAlignmentNeg()
{
    nudge(-0.4f, 0.1f);
}

float TrokBehaviorCitizen::getAlignment() const
{
    return alignment;
}

void TrokBehaviorCitizen::nudge(float least, float most)
{
    if (lockedAlign) {
        return;
    }
    alignment += randomFloat(least, most);
    if (std::fabs(alignment) < 1.0f) {
        return;
    }
    // Either nudge can go either way: the sign at this moment decides.
    lockedAlign = true;
    std::cout << "Locked in with align " << alignment << std::endl;
    if (alignment > 0.0f) {
        TrokWorld::citizenToAlly();
    } else {
        TrokWorld::citizenToPolice();
    }
}

// --- activist --------------------------------------------------------------

TrokBehaviorActivist::TrokBehaviorActivist(TrokObject* parent, int type)
    : TrokBehavior(parent, type)
{
}

void TrokBehaviorActivist::act()
{
    const TrokMovementInput* keyboard = dynamic_cast<const TrokMovementInput*>(parent->movement);
    if (keyboard != nullptr && keyboard->isTalkPressed()) {
        talk();
    }
}

void TrokBehaviorActivist::collide(TrokBehavior*)
{
}

void TrokBehaviorActivist::talk()
{
    std::vector<TrokObject*> listeners =
        parent->physics->findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, kActivistReach);
    for (TrokObject* listener : listeners) {
        TrokBehaviorCitizen* citizen = dynamic_cast<TrokBehaviorCitizen*>(listener->behavior);
        if (citizen != nullptr) {
            citizen->affectAlignment();
        }
    }
    listeners = parent->physics->findBehaviorTypeObjectsInRadius(BEHAV_POLICE, kActivistReach);
    for (TrokObject* listener : listeners) {
        TrokBehaviorPolice* officer = dynamic_cast<TrokBehaviorPolice*>(listener->behavior);
        if (officer != nullptr) {
            officer->overhearActivist();
        }
    }
}

// --- police ----------------------------------------------------------------

TrokBehaviorPolice::TrokBehaviorPolice(TrokObject* parent, int type)
    : TrokBehavior(parent, type), talkTimer(), talkInterval(kFirstPause), talkReady(false)
{
    // A new officer waits like one that has just talked, but for the
    // shortest pause and without a draw: building the city draws nothing
    // for the police, and nobody is nudged in the very first frame.
}

void TrokBehaviorPolice::act()
{
    if (talkReady) {
        // The next interval is drawn before the talk's own draws.
        talkInterval = randomFloat(kShortestPause, kLongestPause);
        talkTimer.reset();
        talkReady = false;
        talk();
    } else if (talkTimer.hasTimeElapsed(talkInterval)) {
        talkReady = true;  // talks in the next frame
    }
}

void TrokBehaviorPolice::collide(TrokBehavior*)
{
}

void TrokBehaviorPolice::overhearActivist()
{
}

void TrokBehaviorPolice::talk()
{
    const std::vector<TrokObject*> listeners =
        parent->physics->findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, kPoliceReach);
    for (TrokObject* listener : listeners) {
        TrokBehaviorCitizen* citizen = dynamic_cast<TrokBehaviorCitizen*>(listener->behavior);
        if (citizen != nullptr) {
            citizen->affectAlignmentNeg();
        }
    }
}

// --- factory ---------------------------------------------------------------

TrokBehavior* createBehavior(TrokObject* parent, int type)
{
    switch (type) {
    case BEHAV_NONE:
    case BEHAV_BUILDING:
    case BEHAV_GOAL:
    case BEHAV_GROUND:
    case BEHAV_BLOCK:
    case BEHAV_ALLY:
        return new TrokBehaviorNone(parent, type);
    case BEHAV_TROK:
    case BEHAV_ACTIVIST:
        return new TrokBehaviorActivist(parent, type);
    case BEHAV_CITIZEN:
        return new TrokBehaviorCitizen(parent, type);
    case BEHAV_POLICE:
        return new TrokBehaviorPolice(parent, type);
    default:
        // Presets only use valid types: anything else is a broken build.
        exit(38);
    }
}

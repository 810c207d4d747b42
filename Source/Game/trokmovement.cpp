#include "Game/trokmovement.h"

#include <GL/glut.h>

#include <cstdlib>

#include "Base/inputmanager.h"
#include "Base/location.h"
#include "Base/utility.h"
#include "Game/trokobject.h"
#include "Game/settings.h"
#include "Game/trokphysics.h"

const Vector TrokMovement::directionVectors[6] = {
    Vector(0.0f, 0.0f, -1.0f),
    Vector(0.0f, 0.0f, 1.0f),
    Vector(-1.0f, 0.0f, 0.0f),
    Vector(1.0f, 0.0f, 0.0f),
    Vector(0.0f, 1.0f, 0.0f),
    Vector(0.0f, -1.0f, 0.0f),
};

std::vector<Vector> TrokMovementAIPolice::wayPoints;

// Only the four ground directions are polled: the activist never climbs.
static const int kPolledDirections = 4;
// A leg of the citizens' walk lasts this long, in seconds.
static const float kShortestLeg = 2.0f;
static const float kLongestLeg = 10.0f;
// Closer than this to its goal, an officer has arrived.
static const float kArrivalDistance = 1.0f;
static const float kNoWaypointYet = 10000000.0f;

TrokMovement::TrokMovement(TrokObject* parent, float speed)
    : TrokComponent(parent), movespeed(speed), facing(0)
{
}

TrokMovement::~TrokMovement()
{
}

// --- static ----------------------------------------------------------------

TrokMovementNone::TrokMovementNone(TrokObject* parent, float speed)
    : TrokMovement(parent, speed)
{
}

void TrokMovementNone::gatherInput()
{
}

void TrokMovementNone::move()
{
}

// --- keyboard --------------------------------------------------------------

TrokMovementInput::TrokMovementInput(TrokObject* parent, float speed)
    : TrokMovement(parent, speed), talkKey{ false, 0 }, talkPressed(false), dirKeys(), dirSpecials(),
      useSpecial(), pressed(), released(), unpress()
{
    for (int i = 0; i < 6; ++i) {
        unpress[i].dir.set(0.0f, 0.0f, 0.0f);
    }
    setDefaults();
}

void TrokMovementInput::setDefaults()
{
    // The letters are bound too, but the arrows win wherever useSpecial is
    // set; space and "c" (up and down) are never polled at all.
    const uint8_t keys[6] = { 'w', 's', 'a', 'd', ' ', 'c' };
    const int specials[6] = { GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT,
                              GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN };
    const bool arrows[6] = { true, true, true, true, false, false };
    for (int i = 0; i < 6; ++i) {
        dirKeys[i] = keys[i];
        dirSpecials[i] = specials[i];
        useSpecial[i] = arrows[i];
        pressed[i] = false;
        released[i] = false;
    }
    // The player's keys for the four ground directions and talking: the
    // ones above unless the settings bind others.
    const Settings& settings = playerSettings();
    const Settings::Entry moves[kPolledDirections] = { Settings::kUp, Settings::kDown, Settings::kLeft,
                                                       Settings::kRight };
    for (int i = 0; i < kPolledDirections; ++i) {
        const Key bound = settings.key(moves[i]);
        useSpecial[i] = bound.special;
        if (bound.special) {
            dirSpecials[i] = bound.code;
        } else {
            dirKeys[i] = static_cast<uint8_t>(bound.code);
        }
    }
    talkKey = settings.key(Settings::kTalk);
    talkPressed = false;
}

void TrokMovementInput::gatherInput()
{
    for (int i = 0; i < kPolledDirections; ++i) {
        pressed[i] = useSpecial[i] ? InputManager::isSpecialDown(dirSpecials[i])
                                   : InputManager::isKeyDown(dirKeys[i]);
    }
    talkPressed = InputManager::isPressed(talkKey);
}

void TrokMovementInput::move()
{
    Vector sum;
    for (int i = 0; i < 6; ++i) {
        if (!pressed[i]) {
            continue;
        }
        sum = sum + directionVectors[i];
        if (i < kPolledDirections) {
            facing = i;
        }
        parent->physics->faceDir(directionVectors[facing]);
    }
    // Normalised, so diagonals are as fast as straight lines; no key (or
    // opposite keys) stops the activist at once.
    parent->physics->moveInDirWithSpeed(sum, movespeed);
    for (int i = 0; i < 6; ++i) {
        pressed[i] = false;
        released[i] = false;
    }
}

bool TrokMovementInput::isTalkPressed() const
{
    return talkPressed;
}

// --- citizen ---------------------------------------------------------------

TrokMovementAICitizen::TrokMovementAICitizen(TrokObject* parent, float speed)
    : TrokMovement(parent, speed), timer(), secondsForCurrentMove(0.0f), timerSet(false),
      randomMovementVector()
{
}

void TrokMovementAICitizen::gatherInput()
{
    if (!timerSet) {
        timer.reset();
        // The order of the draws is part of the game: length, then x, then z.
        secondsForCurrentMove = randomFloat(kShortestLeg, kLongestLeg);
        timerSet = true;
        const float x = randomFloat(-1.0f, 1.0f);
        const float z = randomFloat(-1.0f, 1.0f);
        randomMovementVector = Vector(x, 0.0f, z);
    } else if (timer.hasTimeElapsed(secondsForCurrentMove)) {
        // This frame still walks the old leg; the next one draws a new leg.
        timerSet = false;
    }
}

void TrokMovementAICitizen::move()
{
    parent->physics->moveInDirWithSpeed(randomMovementVector, movespeed);
}

// --- police ----------------------------------------------------------------

TrokMovementAIPolice::TrokMovementAIPolice(TrokObject* parent, float speed)
    : TrokMovement(parent, speed), nextWaypointPos(), goalWaypoint(-1), origWaypoint(-1)
{
}

void TrokMovementAIPolice::gatherInput()
{
    const Vector position = parent->physics->getCurrentLocation();
    // A goal left over from an earlier list is no goal: never index past the end.
    if (goalWaypoint >= static_cast<int>(wayPoints.size())) {
        goalWaypoint = -1;
    }
    if (goalWaypoint == -1) {
        const int next = nearestWaypointFromExcluding(position, origWaypoint, -1);
        origWaypoint = -1;
        goalWaypoint = next;
        return;
    }
    if ((wayPoints[goalWaypoint] - position).length() < kArrivalDistance) {
        const int next = nearestWaypointFromExcluding(position, origWaypoint, goalWaypoint);
        origWaypoint = goalWaypoint;
        goalWaypoint = next;
        return;
    }
    nextWaypointPos = wayPoints[goalWaypoint];
}

void TrokMovementAIPolice::move()
{
    parent->physics->moveToGridLocWithSpeed(nextWaypointPos, movespeed);
}

void TrokMovementAIPolice::addWaypoint(Vector waypoint)
{
    wayPoints.push_back(waypoint);
}

void TrokMovementAIPolice::clearWaypoints()
{
    wayPoints.clear();
}

void TrokMovementAIPolice::reserveWaypoints(size_t count)
{
    wayPoints.reserve(count);
}

int TrokMovementAIPolice::nearestWaypointFromExcluding(Vector position, int excluded1, int excluded2)
{
    float best = kNoWaypointYet;
    int result = -1;
    for (size_t i = 0; i < wayPoints.size(); ++i) {
        const int index = static_cast<int>(i);
        const float distance = (wayPoints[i] - position).length();
        if (distance < best && index != excluded1 && index != excluded2) {
            best = distance;
            result = index;
        }
    }
    return result;
}

// --- factory ---------------------------------------------------------------

TrokMovement* createMovement(TrokObject* parent, int type, float speed)
{
    switch (type) {
    case 0:
    case 4:
        return new TrokMovementNone(parent, speed);
    case 1:
        return new TrokMovementInput(parent, speed);
    case 2:
        return new TrokMovementAICitizen(parent, speed);
    case 3:
        return new TrokMovementAIPolice(parent, speed);
    default:
        // Presets only use valid types: anything else is a broken build.
        exit(1);
    }
}

#ifndef MORVELLANT_GAME_TROKMOVEMENT_H
#define MORVELLANT_GAME_TROKMOVEMENT_H

#include <cstdint>
#include <vector>

#include "Base/inputmanager.h"
#include "Base/timer.h"
#include "Base/vector.h"
#include "Game/trokcomponent.h"

class TrokObject;

// Decides every frame which way its object wants to go and tells the
// physics component; it never moves the object itself.
class TrokMovement : public TrokComponent
{
public:
    TrokMovement(TrokObject* parent, float speed);
    // Controllers are deleted through this base: release the whole object.
    virtual ~TrokMovement();

    // Input phase: read whatever drives the controller.
    virtual void gatherInput() = 0;
    // Think phase, after the behaviour and before the physics update.
    virtual void move() = 0;

protected:
    float movespeed;    // grid units per second
    int facing;         // index into directionVectors last faced

    // -z, +z, -x, +x, +y, -y: the ground plane is x-z.
    static const Vector directionVectors[6];
};

// Static things (and allies): keeps whatever velocity the object has.
class TrokMovementNone : public TrokMovement
{
public:
    TrokMovementNone(TrokObject* parent, float speed);

    void gatherInput() override;
    void move() override;
};

// The activist: the arrow keys move it along the grid axes, space talks,
// unless the player's settings bind other keys.
class TrokMovementInput : public TrokMovement
{
public:
    TrokMovementInput(TrokObject* parent, float speed);

    void gatherInput() override;
    void move() override;
    // The talk key went down this frame (not merely held).
    bool isTalkPressed() const;

private:
    struct Unpress
    {
        float speed;
        Vector dir;
    };

    Key talkKey;
    bool talkPressed;
    uint8_t dirKeys[6];     // ordinary key per direction, where useSpecial is false
    int dirSpecials[6];     // GLUT special key per direction, where useSpecial is true
    bool useSpecial[6];
    bool pressed[6];        // held this frame
    bool released[6];       // cleared with pressed; nothing sets them
    Unpress unpress[6];     // kept for its zeroed direction; nothing reads it

    void setDefaults();
};

// Citizens: straight legs of 2 to 10 seconds in a random ground direction.
class TrokMovementAICitizen : public TrokMovement
{
public:
    TrokMovementAICitizen(TrokObject* parent, float speed);

    void gatherInput() override;
    void move() override;

private:
    Timer timer;
    float secondsForCurrentMove;
    bool timerSet;                  // a leg is in progress
    Vector randomMovementVector;
};

// Police: walk to the nearest waypoint, then on to the nearest that is
// neither the one just reached nor the one before.
class TrokMovementAIPolice : public TrokMovement
{
public:
    TrokMovementAIPolice(TrokObject* parent, float speed);

    void gatherInput() override;
    void move() override;

    static void addWaypoint(Vector waypoint);
    static void clearWaypoints();
    // Room for this many waypoints, so that the list never holds two copies
    // of itself while it grows: a big level has millions.
    static void reserveWaypoints(size_t count);
    // Index of the waypoint nearest to position (three-dimensional distance,
    // ties to the lowest index), skipping the two given indices (-1 skips
    // nothing); -1 when there is none.
    static int nearestWaypointFromExcluding(Vector position, int excluded1, int excluded2);

private:
    Vector nextWaypointPos;     // where the object is steered
    int goalWaypoint;           // index walked to, or -1
    int origWaypoint;           // index walked from, or -1

    // Shared by all police; refilled by every city construction.
    static std::vector<Vector> wayPoints;
};

// A new controller of the given type (0 and 4 static, 1 keyboard, 2 citizen,
// 3 police), owned by the caller. Any other type ends the process with
// status 1.
TrokMovement* createMovement(TrokObject* parent, int type, float speed);

#endif

#ifndef MORVELLANT_GAME_TROKWORLD_H
#define MORVELLANT_GAME_TROKWORLD_H

#include <cstdint>
#include <vector>

#include "Base/basiccamera.h"
#include "Base/location.h"
#include "Base/worldobject.h"
#include "Game/trokscene.h"

class TrokObject;
class TrokMap;

// The game world: builds a city from the level file when the playing state
// begins, runs it frame by frame with the camera following the activist,
// freezes it while paused and tears it down in every other state.
// The score lives here as class-wide counters and operations, so the
// citizens can report a conversion without reaching a world instance.
class TrokWorld : public WorldObject
{
public:
    TrokObject* trok;               // the activist of the running game; null otherwise

protected:
    BasicCamera cam;
    bool gameRunning;
    std::vector<TrokObject*> objects;   // owned, in creation order
    TrokMap* cityMap;                   // owned; the map of the last game started
    Location camAdjustment;             // camera offset from the activist, and its fixed view
    // The objects of `objects` that are not still, in the same order: the
    // only ones whose input and think can change anything. In a big city
    // they are a few hundredths of it.
    std::vector<TrokObject*> thinkers;
    // The objects by place, so that a frame draws from what its view reaches.
    TrokScene scene;

public:
    // Reset by city construction at the start of every game.
    static uint32_t allyCount;
    static uint32_t policeCount;        // placed by the map, plus citizens lost to them
    static uint32_t citizenCount;       // still undecided
    static uint32_t totalAgentCount;    // citizens and police the map placed; the activist is not one

    TrokWorld();
    ~TrokWorld();
    TrokWorld(const TrokWorld&) = delete;
    TrokWorld& operator=(const TrokWorld&) = delete;

    void input() override;
    void think() override;
    void output() override;

    // Builds a game from the level file, unless one is running. A level that
    // cannot be played builds nothing, says why in one line and sends the
    // screens back to the title.
    void startGame();
    // Deletes every object, newest first; nothing when no game runs.
    void endGame();

    // The running game's objects in creation order, and the map of the last
    // game started (none before the first): for whoever plays without a window.
    const std::vector<TrokObject*>& getObjects() const;
    const TrokMap* getMap() const;

    static void citizenToAlly();
    static void citizenToPolice();
    // Prints the status block; a side that reaches half of the agents ends the game.
    static void checkEndGame();
    static void stageWon();
    static void stageLost();

private:
    void extrudeBuilding(int height, int bigIndex, int smallIndex);
    void roofBuilding(int height, int bigIndex, int smallIndex);
    // Above the activist looking at it, or above the origin with no game.
    void cameraReset();
};

#endif

#ifndef MORVELLANT_GAME_TROKWORLD_H
#define MORVELLANT_GAME_TROKWORLD_H

#include <cstdint>

#include "Base/worldobject.h"

// The game world. The score lives here as class-wide counters and operations,
// so the citizens can report a conversion without reaching a world instance.
class TrokWorld : public WorldObject
{
public:
    // Reset by city construction at the start of every game.
    static uint32_t allyCount;
    static uint32_t policeCount;        // placed by the map, plus citizens lost to them
    static uint32_t citizenCount;       // still undecided
    static uint32_t totalAgentCount;    // citizens and police the map placed; the activist is not one

    static void citizenToAlly();
    static void citizenToPolice();
    // Prints the status block; a side that reaches half of the agents ends the game.
    static void checkEndGame();
    static void stageWon();
    static void stageLost();
};

#endif

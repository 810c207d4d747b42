#ifndef MORVELLANT_GAME_GAMEINIT_H
#define MORVELLANT_GAME_GAMEINIT_H

class TrokWorld;

// The game's start-up: requests the credits screen and registers the worlds.
// Returns the game world, for whoever drives the game without a window.
TrokWorld* initGameWorlds();

#endif

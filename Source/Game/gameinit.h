#ifndef MORVELLANT_GAME_GAMEINIT_H
#define MORVELLANT_GAME_GAMEINIT_H

// The game's start-up: requests the credits screen and registers the worlds.
void initGameWorlds();

#endif

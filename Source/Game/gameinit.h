#ifndef MORVELLANT_GAME_GAMEINIT_H
#define MORVELLANT_GAME_GAMEINIT_H

#include <string>

class TrokWorld;

// The game's start-up: requests the credits screen and registers the worlds.
// Returns the game world, for whoever drives the game without a window.
TrokWorld* initGameWorlds();

// What the player chooses, after initGameWorlds: the settings
// read from file (for the window and the keys), F11 and Alt+Enter switching
// fullscreen on every screen, written back to file, and a game paused when
// the window goes out of sight. Without it the game runs as it always has.
void initPlayerSettings(const std::string& file);

#endif

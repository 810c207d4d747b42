#ifndef MORVELLANT_GAME_GAMESTATES_H
#define MORVELLANT_GAME_GAMESTATES_H

// The game state, held by the event loop as a plain int.
enum GameState
{
    STATE_NONE = 0,     // holds only during the first frame
    STATE_CREDITS = 1,
    STATE_TITLE = 2,
    STATE_PLAYING = 3,
    STATE_PAUSED = 4,   // the running game is frozen but still drawn
    STATE_LOST = 5,
    STATE_WON = 6
};

#endif

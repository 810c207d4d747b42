#include "Game/gameinit.h"

#include "Base/clearworld.h"
#include "Base/eventloop.h"
#include "Game/gamestates.h"
#include "Game/trokworld.h"
#include "Game/uiworld.h"

TrokWorld* initGameWorlds()
{
    // Takes effect at the end of the first frame, which runs in STATE_NONE.
    Eventloop::switchState(STATE_CREDITS);

    // Registration order is drawing order: clear first, overlays last.
    TrokWorld* game = new TrokWorld();
    Eventloop::addWorldToList(new ClearWorld());
    Eventloop::addWorldToList(game);
    Eventloop::addWorldToList(new UIWorld());
    return game;
}

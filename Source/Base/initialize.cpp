#include "Base/initialize.h"

#include "Base/displaymanager.h"
#include "Base/eventloop.h"
#include "Base/hostplatform.h"
#include "Base/inputmanager.h"

void initTrokEngine()
{
    setHostEndian();
    // Without a resource directory we carry on where we were started.
    MacSetPathToBundleResources();

    // The managers live for the whole run; the first instance of each is
    // the one that registers itself.
    new Eventloop();
    new InputManager();
    new DisplayManager();

    DisplayManager::createDisplay();
    DisplayManager::registerCallbacks();
    InputManager::registerCallbacks();
    Eventloop::registerCallbacks();
    DisplayManager::makeSystemCalls();
    InputManager::makeSystemCalls();
}

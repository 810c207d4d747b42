#ifndef MORVELLANT_GAME_UIWORLD_H
#define MORVELLANT_GAME_UIWORLD_H

#include <sstream>

#include "Base/basiccamera.h"
#include "Base/vector.h"
#include "Base/worldobject.h"

// Registered last: moves between the screens on the keyboard and draws the
// screen of the current state over the darkened scene, or while a game runs
// only the frame-rate line.
class UIWorld : public WorldObject
{
public:
    UIWorld();

    void input() override;
    void think() override;
    void output() override;

protected:
    BasicCamera cam;  // orthographic: x from 0 to the aspect ratio, y from 0 to 1
    Vector textPos;   // where the credits start

    // Draws msg's text from pos down, one line step per newline.
    void renderLine(Vector pos, const std::ostringstream& msg);
};

// Draws string at (x, y, z), each newline one unit higher. The screens do not
// use it; kept for quick debugging text.
void renderBitmapString(float x, float y, float z, void* font, const char* string);

#endif

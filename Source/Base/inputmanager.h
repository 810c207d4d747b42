#ifndef MORVELLANT_BASE_INPUTMANAGER_H
#define MORVELLANT_BASE_INPUTMANAGER_H

#include <bitset>
#include <map>

// A key as the player binds it: an ordinary key by the character GLUT
// delivers, or a special key (an arrow) by GLUT's code.
struct Key
{
    bool special;
    int code;

    bool operator==(const Key& other) const { return special == other.special && code == other.code; }
};

// Turns GLUT's keyboard callbacks into key state polled once per frame.
// Ordinary keys are matched by the character GLUT delivers (no case folding);
// special keys (arrows and the like) by GLUT's codes, in sparse maps.
// "Pressed" and "released" mean a change since the end of the last frame.
// The first instance constructed is the manager; later ones are mere handles.
class InputManager
{
public:
    // Keys the window takes for itself (fullscreen) before the game sees
    // them: told every press, true takes it. A taken key counts as no key.
    typedef bool (*WindowKeys)(Key key);

    InputManager();

    static void makeSystemCalls();
    static void registerCallbacks();
    static void signalFrameDone();

    static void callbackKeyboardPress(unsigned char key, int x, int y);
    static void callbackKeyboardRelease(unsigned char key, int x, int y);
    static void callbackSpecialPress(int key, int x, int y);
    static void callbackSpecialRelease(int key, int x, int y);

    static bool isKeyDown(unsigned char key);
    static bool isKeyUp(unsigned char key);
    static bool isKeyPressed(unsigned char key);
    static bool isKeyReleased(unsigned char key);
    static bool isSpecialDown(int key);
    static bool isSpecialUp(int key);
    static bool isSpecialPressed(int key);
    static bool isSpecialReleased(int key);
    static bool isAnyKeyPressed();
    // The same questions of a bound key, ordinary or special.
    static bool isDown(Key key);
    static bool isPressed(Key key);

    static void setWindowKeys(WindowKeys taker);
    // The window lost the keyboard: the keys held are let go without a
    // release, so no screen acts on one and no later release is seen.
    static void forgetHeldKeys();

private:
    static InputManager* ms_poSingleton;
    static std::bitset<256> ms_aKeyboardPressMap;
    static std::bitset<256> ms_aKeyboardChangeMap;
    // A code gets entries in both maps on its first press or release; they stay.
    static std::map<int, bool> ms_oSpecialPressMap;
    static std::map<int, bool> ms_oSpecialChangeMap;
    static bool ms_bAnyKeyPressed;
    static WindowKeys ms_pWindowKeys;

    static bool specialState(const std::map<int, bool>& table, int key);
};

#endif

#include "Base/inputmanager.h"

#include <GL/glut.h>

InputManager* InputManager::ms_poSingleton = nullptr;
std::bitset<256> InputManager::ms_aKeyboardPressMap;
std::bitset<256> InputManager::ms_aKeyboardChangeMap;
std::map<int, bool> InputManager::ms_oSpecialPressMap;
std::map<int, bool> InputManager::ms_oSpecialChangeMap;
bool InputManager::ms_bAnyKeyPressed = false;
InputManager::WindowKeys InputManager::ms_pWindowKeys = nullptr;

InputManager::InputManager()
{
    if (ms_poSingleton == nullptr) {
        ms_poSingleton = this;
    }
}

void InputManager::makeSystemCalls()
{
    glutIgnoreKeyRepeat(1);
}

void InputManager::registerCallbacks()
{
    glutKeyboardFunc(callbackKeyboardPress);
    glutKeyboardUpFunc(callbackKeyboardRelease);
    glutSpecialFunc(callbackSpecialPress);
    glutSpecialUpFunc(callbackSpecialRelease);
}

void InputManager::signalFrameDone()
{
    ms_aKeyboardChangeMap.reset();
    for (auto& entry : ms_oSpecialChangeMap) {
        entry.second = false;
    }
    ms_bAnyKeyPressed = false;
}

void InputManager::callbackKeyboardPress(unsigned char key, int, int)
{
    if (ms_pWindowKeys != nullptr && ms_pWindowKeys(Key{ false, key })) {
        return;
    }
    ms_bAnyKeyPressed = true;
    if (ms_aKeyboardPressMap[key]) {
        return;
    }
    // "Pressed" and "released" are judged against the state at the query, so
    // a press and release between two frames reads as a release.
    ms_aKeyboardChangeMap.set(key);
    ms_aKeyboardPressMap.set(key);
}

void InputManager::callbackKeyboardRelease(unsigned char key, int, int)
{
    if (!ms_aKeyboardPressMap[key]) {
        return;
    }
    ms_aKeyboardChangeMap.set(key);
    ms_aKeyboardPressMap.reset(key);
}

void InputManager::callbackSpecialPress(int key, int, int)
{
    if (ms_pWindowKeys != nullptr && ms_pWindowKeys(Key{ true, key })) {
        return;
    }
    ms_bAnyKeyPressed = true;
    if (isSpecialDown(key)) {
        return;
    }
    ms_oSpecialPressMap[key] = true;
    ms_oSpecialChangeMap[key] = true;
}

void InputManager::callbackSpecialRelease(int key, int, int)
{
    if (isSpecialUp(key)) {
        return;
    }
    // A release of a never-seen key is still a change: it is reported.
    ms_oSpecialPressMap[key] = false;
    ms_oSpecialChangeMap[key] = true;
}

bool InputManager::isKeyDown(unsigned char key)
{
    return ms_aKeyboardPressMap[key];
}

bool InputManager::isKeyUp(unsigned char key)
{
    return !ms_aKeyboardPressMap[key];
}

bool InputManager::isKeyPressed(unsigned char key)
{
    return ms_aKeyboardPressMap[key] && ms_aKeyboardChangeMap[key];
}

bool InputManager::isKeyReleased(unsigned char key)
{
    return !ms_aKeyboardPressMap[key] && ms_aKeyboardChangeMap[key];
}

bool InputManager::specialState(const std::map<int, bool>& table, int key)
{
    const auto found = table.find(key);
    return found != table.end() && found->second;
}

bool InputManager::isSpecialDown(int key)
{
    return specialState(ms_oSpecialPressMap, key);
}

bool InputManager::isSpecialUp(int key)
{
    const auto found = ms_oSpecialPressMap.find(key);
    return found != ms_oSpecialPressMap.end() && !found->second;
}

bool InputManager::isSpecialPressed(int key)
{
    return isSpecialDown(key) && specialState(ms_oSpecialChangeMap, key);
}

bool InputManager::isSpecialReleased(int key)
{
    return isSpecialUp(key) && specialState(ms_oSpecialChangeMap, key);
}

bool InputManager::isAnyKeyPressed()
{
    return ms_bAnyKeyPressed;
}

bool InputManager::isDown(Key key)
{
    return key.special ? isSpecialDown(key.code) : isKeyDown(static_cast<unsigned char>(key.code));
}

bool InputManager::isPressed(Key key)
{
    return key.special ? isSpecialPressed(key.code) : isKeyPressed(static_cast<unsigned char>(key.code));
}

void InputManager::setWindowKeys(WindowKeys taker)
{
    ms_pWindowKeys = taker;
}

void InputManager::forgetHeldKeys()
{
    for (size_t key = 0; key < ms_aKeyboardPressMap.size(); ++key) {
        if (ms_aKeyboardPressMap[key]) {
            ms_aKeyboardPressMap.reset(key);
            ms_aKeyboardChangeMap.reset(key);
        }
    }
    // The entries stay, up: a later release of the key is no change.
    for (auto& entry : ms_oSpecialPressMap) {
        if (entry.second) {
            entry.second = false;
            ms_oSpecialChangeMap[entry.first] = false;
        }
    }
}

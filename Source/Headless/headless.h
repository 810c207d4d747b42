#ifndef MORVELLANT_HEADLESS_HEADLESS_H
#define MORVELLANT_HEADLESS_HEADLESS_H

#include <cstdint>

// The platform without a window, for running the game where nobody watches
// it: every OpenGL, GLU and GLUT call the game makes is answered as a window
// that shows nothing would answer it. The matrices are kept, so that the game
// skips what lies out of view as it does in a window. Time moves only when
// told, and the callbacks the game registers are kept, so that frames, keys
// and resizes arrive exactly as GLUT would deliver them. Linked in place of
// the GL libraries by the level checker and the tests.
class Headless
{
public:
    // Sees every call as it is made: its name, its numbers, and the text of a
    // window title or the whole of an uploaded picture.
    typedef void (*Observer)(const char* name, const double* args, int count, const char* text, int length);

    static void setObserver(Observer observer);

    // GLUT's elapsed-time clock, in milliseconds.
    static void setClock(uint32_t ms);
    static void advanceClock(uint32_t ms);

    // What GLUT would call: a frame, a new window size, keys.
    static void display();
    static void reshape(int width, int height);
    static void pressKey(unsigned char key);
    static void releaseKey(unsigned char key);
    static void pressSpecial(int key);
    static void releaseSpecial(int key);
    // The window's status as GLUT reports it (GLUT_HIDDEN, GLUT_FULLY_RETAINED...).
    static void windowStatus(int status);
    // The size of the screen GLUT reports; none (0 by 0) until set.
    static void setScreen(int width, int height);

    // Forgets the callbacks, the observer and the screen, and sets the clock to 0.
    static void reset();
};

#endif

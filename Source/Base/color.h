#ifndef MORVELLANT_BASE_COLOR_H
#define MORVELLANT_BASE_COLOR_H

#include <GL/gl.h>

// The shift generator: the sequence of glibc's random() (FeedbackRandom),
// kept apart from the game's draws so that restarting it never disturbs them.
long randnum();
void restartShiftGenerator(unsigned int seed);

// RGBA as four unsigned bytes, handed to OpenGL as they are (glColor4ubv).
class Color
{
public:
    static const GLubyte shiftAmt = 1;

    // Opaque black. Also restarts the shift generator with seed 1, so shifts
    // made after a default colour was built repeat the same random steps.
    Color();
    Color(GLubyte r, GLubyte g, GLubyte b, GLubyte a);
    Color(const Color& other) = default;

    void clear();
    void setWhite();
    void random();
    void shift();

    GLubyte getr() const;
    GLubyte getg() const;
    GLubyte getb() const;
    GLubyte geta() const;
    const GLubyte* get() const;

    void setr(GLubyte value);
    void setg(GLubyte value);
    void setb(GLubyte value);
    void seta(GLubyte value);
    void set(GLubyte r, GLubyte g, GLubyte b, GLubyte a);

    Color& operator=(const Color& other);

protected:
    GLubyte m_abColors[4];

    void shiftSingleColor(GLubyte& value);
};

#endif

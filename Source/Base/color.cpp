#include "Base/color.h"

#include "Base/feedbackrandom.h"
#include "Base/hostplatform.h"

// The shift generator is random()'s algorithm on a state of its own. glibc's
// rand() and random() share one state, so reseeding random() for the colour
// shifts would also restart rand(), which the game rules draw from: every
// citizen would be dealt the same alignment and walk the same legs.
namespace {

FeedbackRandom& shiftGenerator()
{
    static FeedbackRandom generator(1);
    return generator;
}

// The generator as seed 1 leaves it. Every default colour restarts from seed
// 1, and seeding runs the generator some three hundred times: copying this
// back is far cheaper when a city builds its objects.
const FeedbackRandom& seedOne()
{
    static const FeedbackRandom seeded(1);
    return seeded;
}

}  // namespace

long randnum()
{
    return shiftGenerator().next();
}

void restartShiftGenerator(unsigned int seed)
{
    if (seed == 1) {
        shiftGenerator() = seedOne();
        return;
    }
    shiftGenerator().seed(seed);
}

Color::Color()
{
    clear();
    restartShiftGenerator(1);
}

Color::Color(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    set(r, g, b, a);
}

void Color::clear()
{
    set(0, 0, 0, 255);
}

void Color::setWhite()
{
    set(255, 255, 255, 255);
}

void Color::random()
{
    // Three separate draws, red first: the order fixes which colour a seed gives.
    const GLubyte r = static_cast<GLubyte>(hostRand() & 0xff);
    const GLubyte g = static_cast<GLubyte>(hostRand() & 0xff);
    const GLubyte b = static_cast<GLubyte>(hostRand() & 0xff);
    set(r, g, b, 255);
}

void Color::shift()
{
    shiftSingleColor(m_abColors[0]);
    shiftSingleColor(m_abColors[1]);
    shiftSingleColor(m_abColors[2]);
}

void Color::shiftSingleColor(GLubyte& value)
{
    // Bounce off the ends without consulting the generator, so a component
    // never leaves 0..255 and the draw sequence only advances mid-range.
    if (value > 253) {
        value = static_cast<GLubyte>(value - shiftAmt);
    } else if (value <= 2) {
        value = static_cast<GLubyte>(value + shiftAmt);
    } else if (randnum() % 2 == 1) {
        value = static_cast<GLubyte>(value + shiftAmt);
    } else {
        value = static_cast<GLubyte>(value - shiftAmt);
    }
}

GLubyte Color::getr() const { return m_abColors[0]; }
GLubyte Color::getg() const { return m_abColors[1]; }
GLubyte Color::getb() const { return m_abColors[2]; }
GLubyte Color::geta() const { return m_abColors[3]; }
const GLubyte* Color::get() const { return m_abColors; }

void Color::setr(GLubyte value) { m_abColors[0] = value; }
void Color::setg(GLubyte value) { m_abColors[1] = value; }
void Color::setb(GLubyte value) { m_abColors[2] = value; }
void Color::seta(GLubyte value) { m_abColors[3] = value; }

void Color::set(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    m_abColors[0] = r;
    m_abColors[1] = g;
    m_abColors[2] = b;
    m_abColors[3] = a;
}

Color& Color::operator=(const Color& other)
{
    set(other.getr(), other.getg(), other.getb(), other.geta());
    return *this;
}

#ifndef MORVELLANT_TESTS_GLDOUBLE_H
#define MORVELLANT_TESTS_GLDOUBLE_H

// A recording stand-in for OpenGL, GLU and GLUT. Test executables link it in
// place of the real libraries: every call is recorded with its arguments,
// GLUT's clock is virtual, and the registered callbacks are kept so a test
// can deliver keys, reshapes and frames exactly as GLUT would.

#include <cstdint>
#include <string>
#include <vector>

namespace gldouble {

struct Call
{
    std::string name;
    std::vector<double> args;  // numbers and enums; pointed-to arrays are expanded
    std::string text;          // string arguments (window title, queried names)
};

// --- the record -----------------------------------------------------------
const std::vector<Call>& calls();
std::vector<Call> callsNamed(const std::string& name);
size_t countOf(const std::string& name);
// The names of all calls in order, or of those whose name starts with prefix.
std::vector<std::string> names(const std::string& prefix = "");
void clearCalls();
// Long simulations switch recording off: the calls still run, but leave no record.
void setRecording(bool on);
void record(const char* name, std::vector<double> args, const std::string& text = "");

// The characters drawn with glutBitmapCharacter since the record was cleared.
std::string bitmapText();

// --- GLUT's elapsed-time clock, in milliseconds -----------------------------
void setClock(uint32_t ms);
void advanceClock(uint32_t ms);
uint32_t clock();

// --- answers to queries ----------------------------------------------------
void setGlutGet(int what, int value);            // glutGet for anything but the clock
void setGlString(unsigned int name, const char* value);  // glGetString
void setTexImageError(unsigned int error);       // glGetError after glTexImage2D

// --- the callbacks GLUT would call -----------------------------------------
bool hasDisplayCallback();
void display();                  // one frame, as GLUT's display callback
void idle();
void reshape(int width, int height);
void pressKey(unsigned char key);
void releaseKey(unsigned char key);
void pressSpecial(int key);
void releaseSpecial(int key);

// Forget the record, the callbacks, the answers and reset the clock to 0.
void reset();

}  // namespace gldouble

#endif

#ifndef MORVELLANT_TESTS_GLDOUBLE_H
#define MORVELLANT_TESTS_GLDOUBLE_H

// The record of the OpenGL, GLU and GLUT calls the game makes on the
// windowless platform, which the tests drive: frames, keys and time.

#include <string>
#include <vector>

#include "Headless/headless.h"

namespace gldouble {

struct Call
{
    std::string name;
    std::vector<double> args;  // numbers and enums; pointed-to arrays are expanded
    std::string text;          // a window title; the whole of an uploaded picture
};

const std::vector<Call>& calls();
std::vector<Call> callsNamed(const std::string& name);
void clearCalls();
// Off, the calls leave no record and cost next to nothing: for long runs.
void setRecording(bool on);
// A fresh platform (no callbacks, clock at 0) that records.
void reset();

}  // namespace gldouble

#endif

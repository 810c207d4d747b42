#ifndef MORVELLANT_TESTS_SCRIPTEDRAND_H
#define MORVELLANT_TESTS_SCRIPTEDRAND_H

#include <cstddef>

// A test stand-in for the C library's rand(), linked into the executables
// that use it: queued values come first, in order; with nothing queued it
// passes through to the real generator. It also counts every draw, so tests
// can check how many draws an operation makes and in which order.
namespace scriptedrand {

// Queues the draw that makes randomFloat(min, max) return value (to float
// precision).
void queueFloat(float min, float max, float value);
size_t draws();
// Forgets queued values and the count.
void reset();

}  // namespace scriptedrand

#endif

#ifndef MORVELLANT_BASE_INITIALIZE_H
#define MORVELLANT_BASE_INITIALIZE_H

// The engine's start-up, after glutInit: byte order, resource directory,
// the three managers, the window, the callbacks and the fixed OpenGL state.
void initTrokEngine();

#endif

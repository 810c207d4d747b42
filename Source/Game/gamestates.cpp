#include "Game/gamestates.h"

// The states are plain values; nothing to define here.

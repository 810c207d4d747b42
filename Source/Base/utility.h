#ifndef MORVELLANT_BASE_UTILITY_H
#define MORVELLANT_BASE_UTILITY_H

// A pseudo-random float between min and max, both ends included (with
// max < min, between max and min). Draws once from hostRand(), glibc's
// rand() on every platform, which the game never seeds: a given sequence of
// key presses replays the same game.
float randomFloat(float min, float max);

#endif

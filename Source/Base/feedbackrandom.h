#ifndef MORVELLANT_BASE_FEEDBACKRANDOM_H
#define MORVELLANT_BASE_FEEDBACKRANDOM_H

#include <cstdint>

// The GNU C library's random() and rand() as an object: an additive feedback
// generator over 31 words, x[n] = x[n-31] + x[n-3] modulo 2^32, whose draw is
// the new word shifted right by one (0 to 2147483647). Seeding fills the
// words from the seed with the 16807 multiplicative generator modulo
// 2^31 - 1, then throws the first 310 draws away. A seed of 0 counts as 1,
// and an unseeded generator is seeded with 1, as the C library's is.
// Where the C library is another (Windows), this gives the same draws; it is
// also the colour shifts' private generator on every platform.
// A small value type: a copy draws on from where the original stood.
class FeedbackRandom
{
public:
    explicit FeedbackRandom(uint32_t seed = 1);

    void seed(uint32_t seed);
    int32_t next();

private:
    static const int kWords = 31;
    static const int kLag = 3;

    uint32_t words[kWords];
    int front;      // the word next updated; kLag places ahead of rear
    int rear;
};

#endif

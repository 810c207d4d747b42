#include "Base/feedbackrandom.h"

FeedbackRandom::FeedbackRandom(uint32_t seed)
    : words(), front(kLag), rear(0)
{
    this->seed(seed);
}

void FeedbackRandom::seed(uint32_t seed)
{
    // The seed is taken as a signed 32-bit word, as the C library takes it;
    // the steps below keep every word within -(2^31 - 1) .. 2^31 - 1.
    int64_t word = static_cast<int32_t>(seed == 0 ? 1 : seed);
    words[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < kWords; ++i) {
        // 16807 * word modulo 2^31 - 1 without overflow (Schrage's method:
        // 2^31 - 1 = 16807 * 127773 + 2836).
        const int64_t high = word / 127773;
        const int64_t low = word % 127773;
        word = 16807 * low - 2836 * high;
        if (word < 0) {
            word += 2147483647;
        }
        words[i] = static_cast<uint32_t>(word);
    }
    front = kLag;
    rear = 0;
    // The first draws still show the seed's linear pattern.
    for (int i = 0; i < 10 * kWords; ++i) {
        next();
    }
}

int32_t FeedbackRandom::next()
{
    words[front] += words[rear];
    const uint32_t drawn = words[front] >> 1;
    front = (front + 1) % kWords;
    rear = (rear + 1) % kWords;
    return static_cast<int32_t>(drawn);
}

#include "Base/utility.h"

#include "Base/hostplatform.h"

float randomFloat(float min, float max)
{
    const double r = static_cast<double>(hostRand()) / 2147483647.0;
    const float span = max - min;
    return static_cast<float>(static_cast<double>(min) + r * static_cast<double>(span));
}

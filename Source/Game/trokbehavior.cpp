#include "Game/trokbehavior.h"

TrokBehavior::TrokBehavior(TrokObject* parent, int type)
    : TrokComponent(parent),
      // A negative code cannot be held by `types` either, so it falls back
      // the same way as one above the range.
      type(type < BEHAV_NONE || type > BEHAV_ALLY ? BEHAV_NONE : static_cast<types>(type))
{
}

TrokBehavior::~TrokBehavior()
{
}

types TrokBehavior::getBehaviorType() const
{
    return type;
}

#include "Game/trokbehavior.h"

TrokBehavior::TrokBehavior(TrokObject* parent, int type)
    : TrokComponent(parent),
      type(type > BEHAV_ALLY ? BEHAV_NONE : static_cast<types>(type))
{
}

TrokBehavior::~TrokBehavior()
{
}

types TrokBehavior::getBehaviorType() const
{
    return type;
}

#include "Game/trokcomponent.h"

TrokComponent::TrokComponent(TrokObject* parent)
    : parent(parent)
{
}

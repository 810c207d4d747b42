#include "Base/basicobject.h"

BasicObject::BasicObject()
    : loc()
{
}

#include "Base/worldobject.h"

// The interface has no behaviour of its own; this unit exists so that the
// header always has a translation unit compiled against it.

#include "support/handbuilt.h"

HandBuilt::HandBuilt(const std::string& name, Vector corner, Vector size, bool moving, int type,
                     bool obstructive, std::vector<std::string>* log)
    : obj(new TrokObject(OBJ_WALL, Vector(-100.0f, -100.0f, -100.0f), Vector(1.0f, 1.0f, 1.0f)))
{
    // Swap the preset's physics and behaviour for the ones under test; the
    // new physics joins the shared list in construction order.
    delete obj->physics;
    obj->physics = new PhysicsProbe(obj, corner, size, obstructive, 255, moving);
    delete obj->behavior;
    obj->behavior = new RecordingBehavior(obj, type, name, log);
}

HandBuilt::~HandBuilt()
{
    delete obj;
}

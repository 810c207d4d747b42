#include "support/handbuilt.h"

#include <new>

// Until objects can be built from presets, the holder is raw storage whose
// four slots are filled by hand; the TrokObject constructor never runs.
HandBuilt::HandBuilt(const std::string& name, Vector corner, Vector size, bool moving, int type,
                     bool obstructive, std::vector<std::string>* log)
    : obj(static_cast<TrokObject*>(::operator new(sizeof(TrokObject))))
{
    obj->movement = nullptr;
    obj->behavior = nullptr;
    obj->display = nullptr;
    obj->physics = new PhysicsProbe(obj, corner, size, obstructive, 255, moving);
    obj->behavior = new RecordingBehavior(obj, type, name, log);
}

HandBuilt::~HandBuilt()
{
    delete obj->physics;
    delete obj->behavior;
    ::operator delete(obj);
}

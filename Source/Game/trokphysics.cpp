#include "Game/trokphysics.h"

#include <cmath>

#include "Base/eventloop.h"
#include "Game/trokbehavior.h"
#include "Game/trokobject.h"

std::vector<TrokPhysics*> TrokPhysics::objects;

// Below this frame rate a frame's time step would be absurdly long.
static const float kMinimumFPS = 0.05f;

TrokPhysics::TrokPhysics(TrokObject* parent, Vector pos, Vector size, bool obstructive,
                         uint8_t pushrank, bool isMovingObject)
    : TrokComponent(parent), loc(), prevloc(), vel(), acc(), size(size),
      obstructive(obstructive), pushrank(pushrank), worldpushrank{ 0, 0, 0, 0, 0, 0 },
      isMovingObject(isMovingObject)
{
    loc.set(pos + size * 0.5f);
    prevloc = loc;
    if (obstructive) {
        objects.push_back(this);
    }
}

TrokPhysics::~TrokPhysics()
{
    for (std::vector<TrokPhysics*>::iterator it = objects.begin(); it != objects.end(); ++it) {
        if (*it == this) {
            objects.erase(it);
            break;
        }
    }
}

Location TrokPhysics::getCurrentLocation() const
{
    return loc;
}

Vector TrokPhysics::getSize() const
{
    return size;
}

void TrokPhysics::moveInDirWithSpeed(Vector direction, float speed)
{
    vel = direction.normalize() * speed;
}

void TrokPhysics::moveToGridLocWithSpeed(Vector destination, float speed)
{
    const Vector gridLoc = loc + size / 2.0f + Vector(-1.0f, -1.0f, -1.0f);
    moveInDirWithSpeed(destination - gridLoc, speed);
}

void TrokPhysics::faceDir(Vector direction)
{
    loc.face(direction);
}

void TrokPhysics::update()
{
    prevloc = loc;
    const float fps = Eventloop::getFPS();
    if (!(fps > kMinimumFPS)) {
        return;
    }
    vel = vel + acc / fps;
    loc.move(vel / fps);
}

void TrokPhysics::processCollisions()
{
    // Indices, not iterators: nothing is added or removed during the pass,
    // and the walk must follow list order exactly. Plain floats rather than
    // Vector temporaries: this is the game's innermost loop.
    const size_t count = objects.size();
    for (size_t i = 0; i < count; ++i) {
        TrokPhysics* a = objects[i];
        if (!a->isMovingObject) {
            continue;
        }
        for (size_t j = 0; j < count; ++j) {
            TrokPhysics* b = objects[j];
            if (b == a) {
                continue;
            }
            // Each pair is tested against the state at its own start: a may
            // have been pushed by an earlier pair of this pass.
            const float ax = a->loc.x - a->size.x * 0.5f;
            const float bx = b->loc.x - b->size.x * 0.5f;
            if (!testSingleOverlap(ax, a->size.x, bx, b->size.x)) {
                continue;
            }
            const float ay = a->loc.y - a->size.y * 0.5f;
            const float by = b->loc.y - b->size.y * 0.5f;
            if (!testSingleOverlap(ay, a->size.y, by, b->size.y)) {
                continue;
            }
            const float az = a->loc.z - a->size.z * 0.5f;
            const float bz = b->loc.z - b->size.z * 0.5f;
            if (!testSingleOverlap(az, a->size.z, bz, b->size.z)) {
                continue;
            }
            a->collide(b);
            b->collide(a);
            // An object being built or torn down may lack its behaviour.
            TrokBehavior* ab = a->parent != nullptr ? a->parent->behavior : nullptr;
            TrokBehavior* bb = b->parent != nullptr ? b->parent->behavior : nullptr;
            if (ab != nullptr && bb != nullptr) {
                ab->collide(bb);
                bb->collide(ab);
            }
        }
    }
}

std::vector<TrokObject*> TrokPhysics::findBehaviorTypeObjectsInRadius(int type, float radius) const
{
    std::vector<TrokObject*> found;
    for (size_t i = 0; i < objects.size(); ++i) {
        const TrokPhysics* other = objects[i];
        TrokObject* owner = other->parent;
        if (owner == nullptr || owner->behavior == nullptr) {
            continue;
        }
        if (owner->behavior->getBehaviorType() != type) {
            continue;
        }
        const Vector between(other->loc.x - loc.x, other->loc.y - loc.y, other->loc.z - loc.z);
        if (between.length() <= radius) {
            found.push_back(owner);
        }
    }
    return found;
}

bool TrokPhysics::testSingleOverlap(float a, float aw, float b, float bw)
{
    if (a == b && aw > 0.0f && bw > 0.0f) {
        return true;
    }
    if (a < b && a + aw > b) {
        return true;
    }
    return b < a && b + bw > a;
}

void TrokPhysics::collide(TrokPhysics* other)
{
    if (!obstructive || !other->obstructive || !isMovingObject) {
        return;
    }
    const Vector lc = loc;
    const Vector lh = size / 2.0f;
    const Vector rc = other->loc;
    const Vector rh = other->size / 2.0f;
    // Signed pushes that would make the faces touch, z before x before y and
    // the negative direction first within an axis: the order settles ties.
    const float pushes[6] = {
        (rc.z - rh.z) - (lc.z + lh.z),
        (rc.z + rh.z) - (lc.z - lh.z),
        (rc.x - rh.x) - (lc.x + lh.x),
        (rc.x + rh.x) - (lc.x - lh.x),
        (rc.y - rh.y) - (lc.y + lh.y),
        (rc.y + rh.y) - (lc.y - lh.y),
    };
    int best = 0;
    for (int i = 1; i < 6; ++i) {
        if (std::fabs(pushes[i]) < std::fabs(pushes[best])) {
            best = i;
        }
    }
    switch (best / 2) {
    case 0:
        loc.z += pushes[best];
        break;
    case 1:
        loc.x += pushes[best];
        break;
    default:
        loc.y += pushes[best];
        break;
    }
}

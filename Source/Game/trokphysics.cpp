#include "Game/trokphysics.h"

#include <algorithm>
#include <cmath>

#include "Base/eventloop.h"
#include "Game/trokbehavior.h"
#include "Game/trokobject.h"

std::vector<TrokPhysics*> TrokPhysics::objects;
TrokGrid TrokPhysics::grid;
std::vector<TrokPhysics*> TrokPhysics::movers;
uint64_t TrokPhysics::created = 0;
bool TrokPhysics::broadPhase = true;

// Below this frame rate a frame's time step would be absurdly long.
static const float kMinimumFPS = 0.05f;
// Radius searches this small always go through the grid (up to a radius of 15).
static const int64_t kSmallSquare = 1024;

TrokPhysics::TrokPhysics(TrokObject* parent, Vector pos, Vector size, bool obstructive,
                         uint8_t pushrank, bool isMovingObject)
    : TrokComponent(parent), loc(), prevloc(), vel(), acc(), size(size),
      obstructive(obstructive), pushrank(pushrank), worldpushrank{ 0, 0, 0, 0, 0, 0 },
      isMovingObject(isMovingObject), order(++created), cells()
{
    loc.set(pos + size * 0.5f);
    prevloc = loc;
    if (obstructive) {
        objects.push_back(this);
        if (isMovingObject) {
            movers.push_back(this);
        }
        cells = grid.add(TrokGrid::Entry{ order, this }, boxCells());
    }
}

// Takes the one entry of `p` out of `list`, keeping the others in order.
// Games are torn down newest first, so looking from the end finds it at once.
static bool unlist(std::vector<TrokPhysics*>& list, const TrokPhysics* p)
{
    for (size_t i = list.size(); i > 0; --i) {
        if (list[i - 1] == p) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i - 1));
            return true;
        }
    }
    return false;
}

TrokPhysics::~TrokPhysics()
{
    // Only obstructive components are listed, once at most, so the last
    // entry is the first.
    if (obstructive && unlist(objects, this)) {
        grid.remove(this, cells);
        if (isMovingObject) {
            unlist(movers, this);
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

bool TrokPhysics::isAtRest() const
{
    const Vector zero(0.0f, 0.0f, 0.0f);
    return !isMovingObject && vel == zero && acc == zero;
}

void TrokPhysics::update()
{
    prevloc = loc;
    const float fps = Eventloop::getFPS();
    if (!(fps > kMinimumFPS)) {
        return;
    }
    // Plain floats, the same operations as the vector arithmetic: this runs
    // for every object every frame.
    vel.x = vel.x + acc.x / fps;
    vel.y = vel.y + acc.y / fps;
    vel.z = vel.z + acc.z / fps;
    const float dx = vel.x / fps;
    const float dy = vel.y / fps;
    const float dz = vel.z / fps;
    loc.x = loc.x + dx;
    loc.y = loc.y + dy;
    loc.z = loc.z + dz;
    // Most objects stand still: adding zero moves nothing.
    if (dx != 0.0f || dy != 0.0f || dz != 0.0f) {
        refreshCells();
    }
}

void TrokPhysics::keepWithin(float minX, float minZ, float maxX, float maxZ)
{
    if (!isMovingObject) {
        return;
    }
    const float halfX = size.x * 0.5f;
    const float halfZ = size.z * 0.5f;
    const float x = std::min(std::max(loc.x, minX + halfX), maxX - halfX);
    const float z = std::min(std::max(loc.z, minZ + halfZ), maxZ - halfZ);
    if (x == loc.x && z == loc.z) {
        return;
    }
    loc.x = x;
    loc.z = z;
    refreshCells();
}

void TrokPhysics::processCollisions()
{
    if (!broadPhase) {
        processCollisionsByScan();
        return;
    }
    // Only boxes sharing a cell with A can overlap it. They are met in list
    // order, as the whole walk would meet them; when a push moves A into
    // other cells, the rest of its meetings come from where it is now.
    static std::vector<TrokGrid::Entry> nearby;
    const size_t count = movers.size();
    for (size_t i = 0; i < count; ++i) {
        TrokPhysics* a = movers[i];
        nearby.clear();
        candidates(a->cells, a, 0, nearby);
        size_t k = 0;
        while (k < nearby.size()) {
            TrokPhysics* b = nearby[k].box;
            ++k;
            if (!overlaps(a, b)) {
                continue;
            }
            const TrokGrid::Span before = a->cells;
            meet(a, b);
            if (a->cells != before) {
                nearby.clear();
                candidates(a->cells, a, b->order, nearby);
                k = 0;
            }
        }
    }
}

void TrokPhysics::processCollisionsByScan()
{
    // Indices, not iterators: nothing is added or removed during the pass,
    // and the walk must follow list order exactly.
    const size_t count = objects.size();
    for (size_t i = 0; i < count; ++i) {
        TrokPhysics* a = objects[i];
        if (!a->isMovingObject) {
            continue;
        }
        for (size_t j = 0; j < count; ++j) {
            TrokPhysics* b = objects[j];
            if (b != a && overlaps(a, b)) {
                meet(a, b);
            }
        }
    }
}

bool TrokPhysics::overlaps(const TrokPhysics* a, const TrokPhysics* b)
{
    // Tested against the state of the moment: a may have been pushed by an
    // earlier pair of this pass. Plain floats rather than Vector
    // temporaries: this is the game's innermost loop.
    const float ax = a->loc.x - a->size.x * 0.5f;
    const float bx = b->loc.x - b->size.x * 0.5f;
    if (!testSingleOverlap(ax, a->size.x, bx, b->size.x)) {
        return false;
    }
    const float ay = a->loc.y - a->size.y * 0.5f;
    const float by = b->loc.y - b->size.y * 0.5f;
    if (!testSingleOverlap(ay, a->size.y, by, b->size.y)) {
        return false;
    }
    const float az = a->loc.z - a->size.z * 0.5f;
    const float bz = b->loc.z - b->size.z * 0.5f;
    return testSingleOverlap(az, a->size.z, bz, b->size.z);
}

void TrokPhysics::meet(TrokPhysics* a, TrokPhysics* b)
{
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

void TrokPhysics::candidates(const TrokGrid::Span& span, const TrokPhysics* self, uint64_t after,
                             std::vector<TrokGrid::Entry>& found)
{
    if (span.wide) {
        // No cells to look in: the whole list, which is in order already.
        for (TrokPhysics* other : objects) {
            if (other != self && other->order > after) {
                found.push_back(TrokGrid::Entry{ other->order, other });
            }
        }
        return;
    }
    // Sorted and thinned on the entries alone: the boxes themselves, spread
    // over memory, are read only by the exact tests that follow.
    grid.collect(span, found);
    std::vector<TrokGrid::Entry>::iterator kept = std::remove_if(found.begin(), found.end(),
        [self, after](const TrokGrid::Entry& e) { return e.box == self || e.order <= after; });
    found.erase(kept, found.end());
    std::sort(found.begin(), found.end(),
              [](const TrokGrid::Entry& l, const TrokGrid::Entry& r) { return l.order < r.order; });
    found.erase(std::unique(found.begin(), found.end(),
                            [](const TrokGrid::Entry& l, const TrokGrid::Entry& r) { return l.order == r.order; }),
                found.end());
}

std::vector<TrokObject*> TrokPhysics::findBehaviorTypeObjectsInRadius(int type, float radius) const
{
    if (!broadPhase) {
        return findByScan(type, radius);
    }
    // Every centre within the radius lies in a box filed under a cell of
    // this square, widened by a cell for centres on a cell's face and for
    // rounding. A square of more cells than the list has boxes is not worth
    // it, unless it is small anyway: walk the list.
    const float reach = radius > 0.0f ? radius : 0.0f;
    TrokGrid::Span square = TrokGrid::cover(loc.x - reach, loc.x + reach, loc.z - reach, loc.z + reach);
    if (!square.wide) {
        --square.x0;
        --square.z0;
        ++square.x1;
        ++square.z1;
    }
    if (square.wide || square.cellCount() > std::max<int64_t>(kSmallSquare, objects.size())) {
        return findByScan(type, radius);
    }
    static std::vector<TrokGrid::Entry> nearby;
    nearby.clear();
    candidates(square, nullptr, 0, nearby);
    std::vector<TrokObject*> found;
    for (const TrokGrid::Entry& other : nearby) {
        if (isFound(other.box, type, radius)) {
            found.push_back(other.box->parent);
        }
    }
    return found;
}

std::vector<TrokObject*> TrokPhysics::findByScan(int type, float radius) const
{
    std::vector<TrokObject*> found;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (isFound(objects[i], type, radius)) {
            found.push_back(objects[i]->parent);
        }
    }
    return found;
}

bool TrokPhysics::isFound(const TrokPhysics* other, int type, float radius) const
{
    const TrokObject* owner = other->parent;
    if (owner == nullptr || owner->behavior == nullptr) {
        return false;
    }
    if (owner->behavior->getBehaviorType() != type) {
        return false;
    }
    const Vector between(other->loc.x - loc.x, other->loc.y - loc.y, other->loc.z - loc.z);
    return between.length() <= radius;
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
    refreshCells();
}

void TrokPhysics::refreshCells()
{
    if (!obstructive) {
        return;     // never listed, never in the grid
    }
    cells = grid.move(TrokGrid::Entry{ order, this }, cells, boxCells());
}

TrokGrid::Span TrokPhysics::boxCells() const
{
    // The same bounds the overlap test computes, so that any two boxes it
    // finds overlapping share a cell.
    const float x0 = loc.x - size.x * 0.5f;
    const float z0 = loc.z - size.z * 0.5f;
    return TrokGrid::cover(x0, x0 + size.x, z0, z0 + size.z);
}

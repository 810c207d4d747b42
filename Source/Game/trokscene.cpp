#include "Game/trokscene.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokview.h"

namespace
{

// Blocks of 8 x 8 cells: a view reaches a few dozen of them.
const int32_t kBlockSide = 8;
// A box covering more blocks than this is looked at every frame instead: the
// ground and the walls, which are in view almost always anyway.
const int64_t kMostBlocksPerBox = 16;
// The rectangle of blocks is never larger than this (4 bytes a block): the
// largest level the loader accepts needs a quarter of it.
const int64_t kMostBlocks = int64_t(1) << 20;

// The drawn extent along one axis: boxes are drawn at their size rounded to
// whole units, which may be larger than the size.
float drawnHalf(float size)
{
    return 0.5f * std::fmax(std::fabs(size), std::fabs(std::rint(size)));
}

int32_t blockOf(float coordinate)
{
    return static_cast<int32_t>(std::floor(coordinate / kBlockSide));
}

// The blocks a still object's drawn box covers, both ends included; not
// filed when the object moves or is too large to file.
struct Blocks
{
    int32_t x0;
    int32_t z0;
    int32_t x1;
    int32_t z1;
    bool filed;
};

Blocks blocksOf(const TrokObject& object)
{
    Blocks b = { 0, 0, 0, 0, false };
    const Vector centre = object.physics->getCurrentLocation();
    const Vector size = object.physics->getSize();
    const float hx = drawnHalf(size.x);
    const float hz = drawnHalf(size.z);
    if (!object.isStill() || !(std::fabs(centre.x) + hx < 1e8f && std::fabs(centre.z) + hz < 1e8f)) {
        return b;
    }
    b.x0 = blockOf(centre.x - hx);
    b.x1 = blockOf(centre.x + hx);
    b.z0 = blockOf(centre.z - hz);
    b.z1 = blockOf(centre.z + hz);
    b.filed = (int64_t(b.x1) - b.x0 + 1) * (int64_t(b.z1) - b.z0 + 1) <= kMostBlocksPerBox;
    return b;
}

}  // namespace

TrokScene::TrokScene()
    : objects(), always(), start(), filed(), firstX(0), firstZ(0), across(0), down(0), lowest(0.0f), highest(0.0f)
{
}

void TrokScene::build(const std::vector<TrokObject*>& list)
{
    objects = list;
    always.clear();
    across = down = 0;
    // First the blocks each object covers, the rectangle of them and the
    // heights that the boxes to file reach.
    std::vector<Blocks> blocks(objects.size());
    bool any = false;
    int32_t x0 = 0, z0 = 0, x1 = 0, z1 = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        const Blocks& b = blocks[i] = blocksOf(*objects[i]);
        if (!b.filed) {
            continue;
        }
        const float y = objects[i]->physics->getCurrentLocation().y;
        const float hy = drawnHalf(objects[i]->physics->getSize().y);
        lowest = any ? std::min(lowest, y - hy) : y - hy;
        highest = any ? std::max(highest, y + hy) : y + hy;
        x0 = any ? std::min(x0, b.x0) : b.x0;
        z0 = any ? std::min(z0, b.z0) : b.z0;
        x1 = any ? std::max(x1, b.x1) : b.x1;
        z1 = any ? std::max(z1, b.z1) : b.z1;
        any = true;
    }
    if (any && (int64_t(x1) - x0 + 1) * (int64_t(z1) - z0 + 1) <= kMostBlocks) {
        firstX = x0;
        firstZ = z0;
        across = x1 - x0 + 1;
        down = z1 - z0 + 1;
    }
    // Then how many places each block holds, and the places themselves.
    start.assign(static_cast<size_t>(across) * down + 1, 0);
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<uint32_t> next(start.begin(), start.end() - 1);
        for (size_t i = 0; i < objects.size(); ++i) {
            const Blocks& b = blocks[i];
            if (across == 0 || !b.filed) {
                if (pass == 1) {
                    always.push_back(static_cast<uint32_t>(i));
                }
                continue;
            }
            for (int32_t bz = b.z0; bz <= b.z1; ++bz) {
                for (int32_t bx = b.x0; bx <= b.x1; ++bx) {
                    const size_t at = static_cast<size_t>(bz - firstZ) * across + (bx - firstX);
                    pass == 0 ? ++start[at + 1] : (filed[next[at]++] = static_cast<uint32_t>(i));
                }
            }
        }
        if (pass == 0) {
            std::partial_sum(start.begin(), start.end(), start.begin());
            filed.assign(start.back(), 0);
        }
    }
}

void TrokScene::collect(const TrokView& view, std::vector<TrokObject*>& shown) const
{
    std::vector<uint32_t> found(always);
    if (across > 0) {
        int32_t side = 1;
        while (side < across || side < down) {
            side *= 2;
        }
        visit(view, 0, 0, side, found);
    }
    // A box covering several blocks is found once for each.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    for (uint32_t place : found) {
        const TrokObject* object = objects[place];
        if (view.mayShow(object->physics->getCurrentLocation(), object->physics->getSize())) {
            shown.push_back(objects[place]);
        }
    }
}

void TrokScene::visit(const TrokView& view, int32_t bx, int32_t bz, int32_t side, std::vector<uint32_t>& found) const
{
    if (bx >= across || bz >= down) {
        return;
    }
    // The square's box, from the lowest to the highest the filed boxes reach.
    const float cells = static_cast<float>(side * kBlockSide);
    const Vector corner(static_cast<float>((firstX + bx) * kBlockSide), lowest,
                        static_cast<float>((firstZ + bz) * kBlockSide));
    const Vector size(cells, highest - lowest, cells);
    if (!view.mayShowBox(corner + size * 0.5f, size * 0.5f)) {
        return;
    }
    if (side == 1) {
        const size_t b = static_cast<size_t>(bz) * across + bx;
        found.insert(found.end(), filed.begin() + start[b], filed.begin() + start[b + 1]);
        return;
    }
    const int32_t half = side / 2;
    visit(view, bx, bz, half, found);
    visit(view, bx + half, bz, half, found);
    visit(view, bx, bz + half, half, found);
    visit(view, bx + half, bz + half, half, found);
}

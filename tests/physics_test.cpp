// Boxes, their motion and the collision pass; and the grid behind the pass
// and the radius search, which must give exactly what a walk of the whole
// list gives.

#include <cmath>
#include <sstream>
#include <memory>
#include <random>

#include "Game/trokbehavior.h"
#include "support/harness.h"

namespace {

// A behaviour that logs its collide calls as "self>other".
class Named : public TrokBehavior
{
public:
    Named(TrokObject* parent, int type, std::string name, std::vector<std::string>* log)
        : TrokBehavior(parent, type), name(std::move(name)), log(log) {}
    void act() override {}
    void collide(TrokBehavior* other) override { if (log) log->push_back(name + ">" + static_cast<Named*>(other)->name); }
    const std::string name;
    std::vector<std::string>* log;
};

// Any box with any flags: an activist whose physics and behaviour are
// replaced; the new physics joins the shared list in construction order.
std::unique_ptr<TrokObject> box(Vector corner, Vector size, bool moving, int type = BEHAV_BUILDING,
                                std::string name = "", std::vector<std::string>* log = nullptr, bool solid = true)
{
    std::unique_ptr<TrokObject> obj(new TrokObject(OBJ_TROK, Vector(-99, -99, -99), Vector(1, 1, 1)));
    delete obj->physics;
    obj->physics = new TrokPhysics(obj.get(), corner, size, solid, 255, moving);
    delete obj->behavior;
    obj->behavior = new Named(obj.get(), type, name, log);
    return obj;
}

std::string centre(const std::unique_ptr<TrokObject>& o)
{
    std::ostringstream text;
    text << Vector(o->physics->getCurrentLocation());
    return text.str();
}

class Physics : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new Eventloop();
        FrameRate::set(10.0f);
    }
};

}  // namespace

// The shortest push along one axis, z before x before y on ties and the
// negative side first; the earlier of two movers is pushed; faces that
// touch do not meet; what is not solid meets nothing.
TEST_F(Physics, MovingBoxesArePushedOutOfWhatTheyOverlap)
{
    std::vector<std::string> log;
    const Vector one(1, 1, 1);
    auto a = box(Vector(0, 0, 0), one, true, 1, "a", &log), b = box(Vector(0.9f, 0, 0), one, true, 1, "b", &log);
    auto t = box(Vector(1.9f, 0, 5), one, true, 1, "t", &log), n = box(Vector(2.9f, 0, 5), one, false, 1, "n", &log);
    auto tie = box(Vector(10, 0, 0), one, true), corner = box(Vector(10.5f, 0, 0.5f), one, false);
    auto inner = box(Vector(40, 0, 0), one, true), outer = box(Vector(40, 0, -1), Vector(1, 1, 3), false);
    auto walker = box(Vector(5, 0, 20.5f), one, true), wall = box(Vector(0, 0, 20), Vector(20, 1, 1), false);
    auto ghost = box(Vector(5, 0, 30), one, true, 1, "", nullptr, false), under = box(Vector(5, 0, 30), one, true);
    TrokPhysics::processCollisions();
    EXPECT_EQ(log, (std::vector<std::string>{ "a>b", "b>a" }));
    std::string all;
    for (const auto* o : { &a, &b, &t, &tie, &corner, &inner, &walker, &ghost, &under }) all += centre(*o);
    EXPECT_EQ(all, "(0.4,0.5,0.5)(1.4,0.5,0.5)(2.4,0.5,5.5)(10.5,0.5,0)(11,0.5,1)(39.5,0.5,0.5)(5.5,0.5,21.5)"
                   "(5.5,0.5,30.5)(5.5,0.5,30.5)");
}

TEST_F(Physics, MotionSteeringAndTheFrameRate)
{
    auto thing = box(Vector(5, 0, 7), Vector(1, 1, 1), true);
    TrokPhysics& p = *thing->physics;
    // Grid steering aims the box's minimum corner: stops exactly there, full speed otherwise.
    for (const float x : { 5.0f, 6.0f, 4.99f }) {
        p.moveToGridLocWithSpeed(Vector(x, 4, 7), 5.0f);
        EXPECT_LT((PhysicsProbe::velocityOf(p) - Vector(x - 5, 4, 0).normalize() * 5).length(), 1e-6f) << x;
    }
    PhysicsProbe::setVelocity(p, Vector(1, 0, 2));
    p.update();
    EXPECT_EQ(centre(thing), "(5.6,0.5,7.7)");
    FrameRate::set(0.05f);  // this slow or slower, nothing moves; the previous place follows
    p.update();
    EXPECT_EQ(centre(thing), "(5.6,0.5,7.7)");
    EXPECT_EQ(PhysicsProbe::previousOf(p), thing->physics->getCurrentLocation());
}

namespace {

// One random scene, played for some frames with one kind of pass. Every draw
// comes from the seed alone, so both kinds play the same script; the trace
// is what they must agree on: every place to the bit, every meeting, every
// search's finds in order.
std::string scene(unsigned seed, bool grid)
{
    PhysicsProbe::setBroadPhase(grid);
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto real = [&rng](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
    auto at = [&](float lo, float hi) {  // whole and half cells make touching faces and exact ties
        const float v = real(lo, hi);
        return pick(3) == 0 ? std::floor(v) : pick(2) == 0 ? std::floor(v * 2.0f) / 2.0f : v;
    };
    auto extent = [&]() {
        static const float sizes[] = { 1, 1, 1, 2, 3, 0.5f, 1.5f, 2.5f, 0, 14, 0.25f };
        const int kind = pick(14);
        return kind < 11 ? sizes[kind] : real(0.1f, 4.0f);
    };
    std::vector<std::string> log;
    std::vector<std::unique_ptr<TrokObject>> boxes;
    const float span = static_cast<float>(6 + pick(10));
    auto make = [&]() {
        Vector corner(at(-1, span), at(0, 3), at(-1, span)), size(extent(), pick(4) ? 1.0f : extent(), extent());
        if (pick(8) == 0) std::swap(size.x, size.z);  // walls run both ways
        const int far = pick(60);
        if (far == 0) corner.x = 3.0e9f;              // too far out for cells
        if (far == 1) size = Vector(400, 1, 400);     // too many cells
        if (far == 2) corner.z = 5.0e7f;              // in cells, far beyond the others
        const bool moving = pick(2) == 0;
        boxes.push_back(box(corner, size, moving, 7 + pick(3), std::to_string(boxes.size()), &log, pick(10) != 0));
        if (moving) PhysicsProbe::setVelocity(*boxes.back()->physics, Vector(real(-8, 8), pick(5) ? 0 : real(-3, 3), real(-8, 8)));
    };
    for (int i = 2 + pick(40); i > 0; --i) make();
    for (int frame = 4 + pick(12); frame > 0; --frame) {
        // Objects come and go between frames, and now and then one is dropped deep into others.
        if (!boxes.empty() && pick(3) == 0) boxes.erase(boxes.begin() + pick(int(boxes.size())));
        for (int n = pick(3); n > 0; --n) make();
        if (!boxes.empty() && pick(4) == 0) {
            PhysicsProbe::setCentre(*boxes[pick(int(boxes.size()))]->physics, Vector(at(0, span), at(0, 3), at(0, span)));
        }
        for (auto& b : boxes) b->physics->update();
        TrokPhysics::processCollisions();
        std::ostringstream places;
        for (auto& b : boxes) places << std::hexfloat << Vector(b->physics->getCurrentLocation());
        log.push_back(places.str());
        for (int n = 0; n < 3 && !boxes.empty(); ++n) {
            const TrokPhysics& from = *boxes[pick(int(boxes.size()))]->physics;
            const int reach = pick(12), type = 7 + pick(3);
            const float radius = reach < 8 ? float(reach) : reach == 8 ? real(0, 10) : reach == 9 ? -1 : reach == 10 ? 1e7f : real(0, 3);
            log.push_back("finds");
            for (TrokObject* found : from.findBehaviorTypeObjectsInRadius(type, radius)) {
                log.back() += " " + static_cast<Named*>(found->behavior)->name;
            }
        }
    }
    std::string trace;
    for (const std::string& line : log) trace += line + "\n";
    return trace;
}

}  // namespace

TEST_F(Physics, TheGridGivesWhatTheWholeListGives)
{
    size_t meetings = 0, finds = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string walk = scene(seed, false);
        ASSERT_EQ(scene(seed, true), walk) << "scene " << seed;
        meetings += std::count(walk.begin(), walk.end(), '>');
        for (size_t at = walk.find("finds "); at != std::string::npos; at = walk.find("finds ", at + 1)) ++finds;
    }
    EXPECT_GT(meetings, 1500u);  // the scenes did collide and find a lot
    EXPECT_GT(finds, 700u);
    // A flat box has no inside: it is filed under the one cell it starts in,
    // here just beyond the search's square, exactly at the radius.
    auto talker = box(Vector(-0.5f, 1, -0.5f), Vector(1, 1, 1), false, BEHAV_CITIZEN);
    auto flat = box(Vector(4, 1, 0), Vector(0, 1, 0), false, BEHAV_CITIZEN);
    for (bool grid : { false, true }) {
        PhysicsProbe::setBroadPhase(grid);
        EXPECT_EQ(talker->physics->findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 4.0f),
                  (std::vector<TrokObject*>{ talker.get(), flat.get() }));
    }
}

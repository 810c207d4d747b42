// Game objects with scripted draws from rand(): talking, locking and the
// tint, the controllers, the presets and the factories, and how an object is
// drawn. The frame rate stays at 10; time stands still on GLUT's virtual clock.

#include <GL/gl.h>
#include <GL/glut.h>

#include <memory>

#include "Base/inputmanager.h"
#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokmovement.h"
#include "Game/trokworld.h"
#include "support/harness.h"

namespace {

class Objects : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new Eventloop();
        new InputManager();
        InputManager::registerCallbacks();
        FrameRate::set(10.0f);
        TrokWorld::citizenCount = TrokWorld::totalAgentCount = 10;
    }
    TrokObject* make(const TrokObjectInit& init, Vector corner)
    {
        objects.emplace_back(new TrokObject(init, corner, Vector(1, 1, 1)));
        return objects.back().get();
    }
    TrokObject* citizen(Vector corner, float alignment)  // one that stands still, drawing nothing to walk
    {
        queueDraw(-1, 1, alignment);
        TrokObjectInit standing = OBJ_CITIZEN;
        standing.moveType = 0;
        return make(standing, corner);
    }
    // The game world's share of a frame.
    void frame()
    {
        FrameRate::hold();
        for (auto& object : objects) object->input();
        for (auto& object : objects) object->think();
        TrokPhysics::processCollisions();
        InputManager::signalFrameDone();
    }
    // Space held for some frames, an activist nudge queued per citizen in
    // reach; what was printed.
    std::string talk(std::vector<float> nudges, int held = 1)
    {
        const size_t before = draws();
        for (float n : nudges) queueDraw(-0.1f, 0.3f, n);
        testing::internal::CaptureStdout();
        keys("+Space " + std::to_string(held) + " -Space", [this] { frame(); });
        EXPECT_EQ(draws() - before, nudges.size());
        return testing::internal::GetCapturedStdout();
    }
    static std::string fill(TrokObject* o) { return rgba(o->display->getFillColor()); }
    static Vector velocity(TrokObject* o) { return PhysicsProbe::velocityOf(*o->physics); }

    std::vector<std::unique_ptr<TrokObject>> objects;
};

}  // namespace

// Within 4.0 of the activist, once per press; magnitude 1 locks for good,
// the sign reporting the side; the tint shows from the next act.
TEST_F(Objects, TalkingNudgesLocksAndTints)
{
    make(OBJ_TROK, Vector(10, 1, 10));
    TrokObject* keen = citizen(Vector(12, 1, 10), 0.9f);
    TrokObject* exact = citizen(Vector(10, 1, 14), 0.75f);  // exactly 4.0 away
    TrokObject* far = citizen(Vector(5.99f, 1, 10), 0.0f);  // 4.01
    citizen(Vector(9, 1, 10), 0.0f);
    EXPECT_EQ(talk({ 0.25f, 0.25f, 0.1f }),
              "Locked in with align 1.15\nGained a loyal follower.\nStatus: \n   totalAgents: 10\n   policeCount: 0\n"
              "   allyCount: 1\n   Remaining Citizens: 9\nLocked in with align 1\nGained a loyal follower.\n"
              "Status: \n   totalAgents: 10\n   policeCount: 0\n   allyCount: 2\n   Remaining Citizens: 8\n");
    EXPECT_NEAR(static_cast<TrokBehaviorCitizen*>(far->behavior)->getAlignment(), 0.0f, 1e-6);
    frame();
    EXPECT_EQ(fill(keen), "252 127 117 255");
    EXPECT_EQ(fill(exact), "252 127 117 255");
    TrokObject* doubter = citizen(Vector(8, 1, 10), -0.95f);
    // Held for two frames: one talk; the locked are found but draw nothing.
    EXPECT_NE(talk({ 0.1f, -0.08f }, 2).find("Locked in with align -1.03\nLost a citizen to the police.\n"),
              std::string::npos);
    frame();
    EXPECT_EQ(fill(doubter), "124 127 245 255");
}

// Bluer below zero; above it only green changes, red and blue keeping what
// they last held; at exactly zero the preset's own colour.
TEST_F(Objects, AlignmentTintsTheCitizen)
{
    TrokObject* swing = citizen(Vector(6, 1, 2), -0.5f);
    EXPECT_EQ(fill(swing), "252 255 117 255");  // the preset until it acts
    make(OBJ_TROK, Vector(6, 1, 4));
    frame();
    EXPECT_EQ(fill(swing), "188 191 181 255");
    const std::pair<float, const char*> steps[] = { { 0.25f, "220 223 149 255" }, { 0.25f, "252 255 117 255" },
                                                    { -0.1f, "240 243 129 255" }, { 0.25f, "240 236 129 255" } };
    for (const auto& step : steps) {
        talk({ step.first });
        frame();
        EXPECT_EQ(fill(swing), step.second) << step.first;
    }
}

// Arrows move the activist in the frame they are held, facing the last of
// them; opposite arrows cancel; no other key moves it.
TEST_F(Objects, ArrowKeysSteerTheActivist)
{
    TrokObject* trok = make(OBJ_TROK, Vector(5, 1, 5));
    const struct { const char* keys; Vector velocity, facing; } steps[] = {
        { "+Up +Right 1", Vector(1, 0, -1).normalize() * 3.5f, Vector(1, 0, 0) },
        { "-Right +Down 1", Vector(), Vector(0, 0, 1) },
        { "-Up -Down +Left 1", Vector(-3.5f, 0, 0), Vector(-1, 0, 0) },
        { "-Left +w +a +s +d +Space +c 1", Vector(), Vector(-1, 0, 0) } };
    for (const auto& step : steps) {
        keys(step.keys, [this] { frame(); });
        EXPECT_EQ(velocity(trok), step.velocity) << step.keys;
        EXPECT_LT((trok->physics->getCurrentLocation().findForward() - step.facing).length(), 1e-6f) << step.keys;
    }
    const Vector walked = Vector(1, 0, -1).normalize() * 0.35f + Vector(-0.35f, 0, 0);
    EXPECT_LT((trok->physics->getCurrentLocation() - Vector(5.5f, 1.5f, 5.5f) - walked).length(), 1e-6f);
}

// To the nearest waypoint, then on to the nearest that is neither the one
// reached nor the one before; with two, a frame without a goal at one end.
// A goal steers the box's corner: "<" and ">" along x, "o" at the origin.
TEST_F(Objects, PoliceShuttleBetweenWaypoints)
{
    TrokMovementAIPolice::clearWaypoints();
    TrokMovementAIPolice::addWaypoint(Vector(12, 1, 4));
    TrokMovementAIPolice::addWaypoint(Vector(2, 1, 4));
    TrokObject* p = make(OBJ_POLICE, Vector(6, 1, 4));
    std::string steered;
    auto steer = [&](int times, float x) {
        if (x != 0) PhysicsProbe::setCentre(*p->physics, Vector(x, 1.5f, 4.5f));
        for (int i = 0; i < times; ++i) {
            p->input();
            p->movement->move();
            const Vector v = velocity(p);
            steered += v == Vector() ? "0" : v.y != 0 ? "o" : v.x > 0 ? ">" : "<";
        }
        steered += " ";
    };
    steer(2, 0);  // the first frame only picks the goal
    for (int trip = 0; trip < 2; ++trip) steer(2, 2.5f), steer(3, 12.5f);
    TrokMovementAIPolice::clearWaypoints();  // a stale goal is dropped, not read
    steer(1, 0);
    EXPECT_EQ(steered, "o< 0> 00< 0> 00< < ");
    for (const Vector& w : { Vector(7, 1, 5), Vector(3, 1, 5), Vector(5, 4, 5) }) TrokMovementAIPolice::addWaypoint(w);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(5, 1, 5), -1, -1), 0);  // a tie
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(5, 2, 5), 1, 0), 2);    // in 3D
}

// Every preset, field by field as the game's table of presets lists them;
// codes pick the classes, and codes out of range end the process.
TEST_F(Objects, PresetsAndFactories)
{
    const struct { const TrokObjectInit& preset; const char* fields; } presets[] = {
        { OBJ_GROUND, "move 0 speed 1 solid 0 rank 255 moving 0 behaviour 3 fill 0 0 0 255 line 255 255 255 255" },
        { OBJ_CITIZEN, "move 2 speed 2.5 solid 1 rank 255 moving 1 behaviour 7 fill 252 255 117 255 line 0 0 0 255" },
        { OBJ_POLICE, "move 3 speed 3.7 solid 1 rank 255 moving 1 behaviour 8 fill 32 32 220 255 line 0 0 0 255" },
        { OBJ_ALLY, "move 4 speed 3.3 solid 1 rank 255 moving 1 behaviour 9 fill 255 200 200 255 line 0 0 0 255" },
        { OBJ_BUILDING_EXTRA, "move 0 speed 1 solid 0 rank 255 moving 0 behaviour 3 fill 0 64 64 255 line 0 0 0 255" },
        { OBJ_BUILDING, "move 0 speed 1 solid 1 rank 255 moving 0 behaviour 1 fill 255 255 255 255 line 0 0 0 255" },
        { OBJ_WALL, "move 0 speed 1 solid 1 rank 255 moving 0 behaviour 3 fill 255 255 255 0 line 255 255 255 0" },
        { OBJ_TROK, "move 1 speed 3.5 solid 1 rank 50 moving 1 behaviour 5 fill 255 32 32 216 line 0 0 0 255" },
    };
    for (const auto& p : presets) {
        const TrokObjectInit& i = p.preset;
        std::ostringstream fields;
        fields << "move " << i.moveType << " speed " << i.moveSpeed << " solid " << i.obstructive << " rank "
               << int(i.pushrank) << " moving " << i.isMovingObject << " behaviour " << i.behavType << " fill "
               << rgba(i.fillcolor) << " line " << rgba(i.linecolor);
        EXPECT_EQ(fields.str(), p.fields);
    }
    TrokObject* thing = make(OBJ_WALL, Vector(0, 1, 0));
    std::string kinds;
    for (int type = BEHAV_NONE; type < BEHAV_NULL; ++type) {
        std::unique_ptr<TrokBehavior> b(createBehavior(thing, type));
        EXPECT_EQ(b->getBehaviorType(), type);
        kinds += dynamic_cast<TrokBehaviorCitizen*>(b.get()) ? 'C' : dynamic_cast<TrokBehaviorPolice*>(b.get()) ? 'P'
               : dynamic_cast<TrokBehaviorActivist*>(b.get()) ? 'A' : dynamic_cast<TrokBehaviorNone*>(b.get()) ? 'N' : '?';
    }
    for (int type : { 0, 4 }) {
        std::unique_ptr<TrokMovement> none(createMovement(thing, type, 5.0f));
        kinds += dynamic_cast<TrokMovementNone*>(none.get()) ? 'n' : '?';
    }
    EXPECT_EQ(kinds, "NNNNNAACPNnn");
    EXPECT_EXIT(createMovement(nullptr, 5, 1.0f), ::testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(createBehavior(nullptr, BEHAV_NULL), ::testing::ExitedWithCode(38), "^$");
}

namespace {

typedef std::vector<double> Args;
const Color kFill(10, 20, 30, 255);
const Color kStroke(200, 210, 220, 255);

// The record in short: Q and L for quad and line-loop blocks, C for a colour,
// +/- enable/disable of Lighting or Offset, O for the offset values.
std::string shape()
{
    std::string out;
    for (const gldouble::Call& c : gldouble::calls()) {
        const double a = c.args.empty() ? 0 : c.args[0];
        const std::string cap = a == GL_LIGHTING ? "L" : a == GL_POLYGON_OFFSET_FILL ? "O" : "?";
        if (c.name == "glBegin") out += a == GL_QUADS ? "Q" : "L";
        if (c.name == "glColor4ubv") out += "C";
        if (c.name == "glEnable") out += "+" + cap;
        if (c.name == "glDisable") out += "-" + cap;
        if (c.name == "glPolygonOffset") out += "O";
    }
    return out;
}

// The vertices (or normals) of the n-th block of the given kind.
std::vector<Vector> block(int mode, int n, const char* what = "glVertex3fv")
{
    std::vector<Vector> out;
    int seen = -1;
    for (const gldouble::Call& c : gldouble::calls()) {
        if (c.name == "glBegin") seen += c.args[0] == mode ? 1 : 0;
        if (seen == n && c.name == "glEnd") return out;
        if (seen == n && c.name == what) out.push_back(Vector(c.args[0], c.args[1], c.args[2]));
    }
    return out;
}

std::string cube(Color fill, Color stroke, Vector size)
{
    gldouble::clearCalls();
    TrokDisplay::makeCube(fill, stroke, size);
    return shape();
}

}  // namespace

TEST(CubeDisplay, BodyThenEdgesThenRingsInXYZOrder)
{
    gldouble::reset();
    EXPECT_EQ(cube(kFill, kStroke, Vector(1, 1, 1)), "C+OOQQQQQQ-O-LCLLLL+L");
    EXPECT_EQ(gldouble::callsNamed("glColor4ubv")[0].args, (Args{ 10, 20, 30, 255 }));
    EXPECT_EQ(gldouble::callsNamed("glColor4ubv")[1].args, (Args{ 200, 210, 220, 255 }));
    EXPECT_EQ(gldouble::callsNamed("glPolygonOffset")[0].args, (Args{ 0.9f, 1.5f }));
    // Each face lies on its side of the unit cube, four corners counter-
    // clockwise seen from outside, in the order -z, +z, -x, +x, +y, -y; the
    // four edge loops retrace the first four faces with their normals.
    const Vector normals[] = { { 0, 0, -1 }, { 0, 0, 1 }, { -1, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 0, -1, 0 } };
    for (int face = 0; face < 6; ++face) {
        const std::vector<Vector> v = block(GL_QUADS, face);
        const Vector n = normals[face];
        ASSERT_EQ(block(GL_QUADS, face, "glNormal3fv"), std::vector<Vector>{ n });
        ASSERT_EQ(v.size(), 4u);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(v[k].dotProduct(n), 0.5f) << "face " << face;
            EXPECT_EQ((v[(k + 1) % 4] - v[k]).crossProduct(v[(k + 2) % 4] - v[(k + 1) % 4]), n) << "face " << face;
        }
        if (face < 4) {
            EXPECT_EQ(block(GL_LINE_LOOP, face), v);
            EXPECT_EQ(block(GL_LINE_LOOP, face, "glNormal3fv"), std::vector<Vector>{ n });
        }
    }

    // (3, 1, 2): x rings at -0.5 and 0.5, none across y, one z ring at 0,
    // without normals.
    EXPECT_EQ(cube(kFill, kStroke, Vector(3, 1, 2)), "C+OOQQQQQQ-O-LCLLLLLLL+L");
    EXPECT_EQ(block(GL_LINE_LOOP, 4), (std::vector<Vector>{ { -.5, .5, 1 }, { -.5, .5, -1 }, { -.5, -.5, -1 },
                                                            { -.5, -.5, 1 } }));
    EXPECT_EQ(block(GL_LINE_LOOP, 5)[0].x, 0.5f);
    EXPECT_EQ(block(GL_LINE_LOOP, 6), (std::vector<Vector>{ { 1.5, .5, 0 }, { 1.5, -.5, 0 }, { -1.5, -.5, 0 },
                                                            { -1.5, .5, 0 } }));
    EXPECT_TRUE(block(GL_LINE_LOOP, 6, "glNormal3fv").empty());
    cube(kFill, kStroke, Vector(2, 2, 2));
    EXPECT_EQ(block(GL_LINE_LOOP, 4)[0].x, 0.0f);  // x first,
    EXPECT_EQ(block(GL_LINE_LOOP, 5)[0].y, 0.0f);  // then y,
    EXPECT_EQ(block(GL_LINE_LOOP, 6)[0].z, 0.0f);  // then z

    // Sizes are drawn rounded, halves to even.
    const std::pair<float, float> rounded[] = { { 2.5f, 1 }, { 1.5f, 1 }, { 0.4f, 0 }, { 0.6f, 0.5f } };
    for (const auto& r : rounded) {
        cube(kFill, kStroke, Vector(r.first, 1, 1));
        EXPECT_EQ(block(GL_QUADS, 0)[3].x, r.second) << r.first;
    }
    // Alpha 0 leaves a part out; both out, OpenGL is not touched.
    EXPECT_EQ(cube(Color(1, 2, 3, 0), kStroke, Vector(3, 1, 2)), "-LCLLLLLLL+L");
    EXPECT_EQ(cube(kFill, Color(4, 5, 6, 0), Vector(3, 1, 2)), "C+OOQQQQQQ-O");
    EXPECT_EQ(cube(Color(1, 2, 3, 0), Color(4, 5, 6, 0), Vector(3, 1, 2)), "");
    EXPECT_TRUE(gldouble::calls().empty());
}

// Moved to the centre, pitched, then turned: the object's own facing.
TEST(CubeDisplay, DrawPlacesTheBoxAtThePhysicsCentreAndFacing)
{
    gldouble::reset();
    TrokObject thing(OBJ_TROK, Vector(2, 1, 4), Vector(3, 1, 2));
    thing.physics->faceDir(Vector(1, 0, 0));
    thing.display->setFillColor(Color(7, 8, 9, 128));
    thing.output();
    const std::vector<gldouble::Call>& all = gldouble::calls();
    EXPECT_EQ(all[0].name, "glPushMatrix");
    EXPECT_EQ(all[1].args, (Args{ 3.5, 1.5, 5 }));
    EXPECT_EQ(all[2].args, (Args{ 0, 1, 0, 0 }));
    EXPECT_NEAR(all[3].args[0], -90.0, 1e-4);
    EXPECT_EQ(all[3].args[2], 1);
    EXPECT_EQ(all[4].args, (Args{ 7, 8, 9, 128 }));
    EXPECT_EQ(all.back().name, "glPopMatrix");
}

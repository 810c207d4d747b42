#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Base/color.h"
#include "Game/trokdisplay.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"

namespace {

typedef std::vector<float> Point;

// One glBegin/glEnd block as recorded: its mode, normal (if any) and vertices.
struct Block
{
    int mode;
    std::vector<Point> normals;
    std::vector<Point> vertices;
};

std::vector<Block> blocks()
{
    std::vector<Block> found;
    bool open = false;
    for (const gldouble::Call& call : gldouble::calls()) {
        if (call.name == "glBegin") {
            found.push_back(Block{ static_cast<int>(call.args[0]), {}, {} });
            open = true;
        } else if (call.name == "glEnd") {
            open = false;
        } else if (open && call.name == "glNormal3fv") {
            found.back().normals.push_back(Point(call.args.begin(), call.args.end()));
        } else if (open && call.name == "glVertex3fv") {
            found.back().vertices.push_back(Point(call.args.begin(), call.args.end()));
        }
    }
    return found;
}

std::vector<Block> blocksOf(int mode)
{
    std::vector<Block> all = blocks();
    std::vector<Block> picked;
    std::copy_if(all.begin(), all.end(), std::back_inserter(picked),
                 [mode](const Block& b) { return b.mode == mode; });
    return picked;
}

// Index of the first call with this name and first argument, or -1.
int indexOf(const std::string& name, double arg0)
{
    const std::vector<gldouble::Call>& all = gldouble::calls();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].name == name && !all[i].args.empty() && all[i].args[0] == arg0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Point sub(const Point& a, const Point& b) { return { a[0] - b[0], a[1] - b[1], a[2] - b[2] }; }
Point cross(const Point& a, const Point& b)
{
    return { a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0] };
}
float dot(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

const Color kFill(10, 20, 30, 255);
const Color kStroke(200, 210, 220, 255);
const Color kClearFill(10, 20, 30, 0);
const Color kClearStroke(200, 210, 220, 0);

class DisplayTest : public ::testing::Test
{
protected:
    void SetUp() override { gldouble::reset(); }
    void cube(Color fill, Color stroke, Vector size)
    {
        gldouble::clearCalls();
        TrokDisplay::makeCube(fill, stroke, size);
    }
};

}  // namespace

TEST_F(DisplayTest, UnitCubeBodyThenOutlinesWithOffsetAndLighting)
{
    cube(kFill, kStroke, Vector(1, 1, 1));

    // Six lit quads: each lies on the side its normal names, its corners run
    // counter-clockwise seen from outside, and together they close the box.
    const std::vector<Block> quads = blocksOf(GL_QUADS);
    ASSERT_EQ(quads.size(), 6u);
    std::set<Point> normals;
    for (const Block& q : quads) {
        ASSERT_EQ(q.normals.size(), 1u);
        ASSERT_EQ(q.vertices.size(), 4u);
        const Point& n = q.normals[0];
        normals.insert(n);
        for (const Point& v : q.vertices) {
            EXPECT_FLOAT_EQ(dot(v, n), 0.5f);  // on the face at distance 0.5
        }
        const Point turn = cross(sub(q.vertices[1], q.vertices[0]), sub(q.vertices[2], q.vertices[1]));
        EXPECT_GT(dot(turn, n), 0.0f);
    }
    EXPECT_EQ(normals.size(), 6u);
    const std::vector<Point> expectedNormals = {
        { 0, 0, -1 }, { 0, 0, 1 }, { -1, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 0, -1, 0 } };
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(quads[i].normals[0], expectedNormals[i]) << "face " << i;
    }
    EXPECT_EQ(quads[0].vertices[0], (Point{ -0.5f, -0.5f, -0.5f }));

    // Four edge loops (faces 0 to 3, with their normals) cover the 12 edges.
    const std::vector<Block> loops = blocksOf(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), 4u);  // no rings on a unit cube
    std::set<std::pair<Point, Point>> edges;
    for (size_t i = 0; i < loops.size(); ++i) {
        EXPECT_EQ(loops[i].normals, std::vector<Point>{ expectedNormals[i] });
        EXPECT_EQ(loops[i].vertices, quads[i].vertices);
        for (size_t k = 0; k < 4; ++k) {
            Point a = loops[i].vertices[k];
            Point b = loops[i].vertices[(k + 1) % 4];
            edges.insert(std::minmax(a, b));
        }
    }
    EXPECT_EQ(edges.size(), 12u);

    // Fill colour, offset body, outlines unlit in the stroke colour, lit again.
    const std::vector<std::string> outside = [] {
        std::vector<std::string> names;
        for (const gldouble::Call& c : gldouble::calls()) {
            if (c.name != "glBegin" && c.name != "glEnd" && c.name != "glVertex3fv" && c.name != "glNormal3fv") {
                names.push_back(c.name);
            }
        }
        return names;
    }();
    EXPECT_EQ(outside, (std::vector<std::string>{ "glColor4ubv", "glEnable", "glPolygonOffset", "glDisable",
                                                   "glDisable", "glColor4ubv", "glEnable" }));
    const std::vector<gldouble::Call> colours = gldouble::callsNamed("glColor4ubv");
    EXPECT_EQ(colours[0].args, (std::vector<double>{ 10, 20, 30, 255 }));
    EXPECT_EQ(colours[1].args, (std::vector<double>{ 200, 210, 220, 255 }));
    EXPECT_EQ(gldouble::callsNamed("glPolygonOffset")[0].args, (std::vector<double>{ 0.9f, 1.5f }));
    const int offsetOn = indexOf("glEnable", GL_POLYGON_OFFSET_FILL);
    const int offsetOff = indexOf("glDisable", GL_POLYGON_OFFSET_FILL);
    const int lightOff = indexOf("glDisable", GL_LIGHTING);
    const int firstQuad = indexOf("glBegin", GL_QUADS);
    const int firstLoop = indexOf("glBegin", GL_LINE_LOOP);
    EXPECT_LT(offsetOn, firstQuad);
    EXPECT_LT(offsetOff, lightOff);
    EXPECT_LT(lightOff, firstLoop);
    EXPECT_GT(offsetOff, firstQuad);
    EXPECT_EQ(gldouble::calls().back().name, "glEnable");
    EXPECT_EQ(gldouble::calls().back().args[0], GL_LIGHTING);
}

TEST_F(DisplayTest, RingsAtEveryWholeUnitOfTheRoundedSize)
{
    cube(kFill, kStroke, Vector(3, 1, 2));
    std::vector<Block> loops = blocksOf(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), 4u + 2u + 1u);
    EXPECT_EQ(loops[4].vertices, (std::vector<Point>{
        { -0.5f, 0.5f, 1 }, { -0.5f, 0.5f, -1 }, { -0.5f, -0.5f, -1 }, { -0.5f, -0.5f, 1 } }));
    EXPECT_EQ(loops[5].vertices, (std::vector<Point>{
        { 0.5f, 0.5f, 1 }, { 0.5f, 0.5f, -1 }, { 0.5f, -0.5f, -1 }, { 0.5f, -0.5f, 1 } }));
    EXPECT_EQ(loops[6].vertices, (std::vector<Point>{
        { 1.5f, 0.5f, 0 }, { 1.5f, -0.5f, 0 }, { -1.5f, -0.5f, 0 }, { -1.5f, 0.5f, 0 } }));
    for (size_t i = 4; i < loops.size(); ++i) {
        EXPECT_TRUE(loops[i].normals.empty());  // unlit: no normals
    }

    // x, then y, then z rings.
    cube(kFill, kStroke, Vector(2, 2, 2));
    loops = blocksOf(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), 7u);
    EXPECT_EQ(loops[4].vertices[0], (Point{ 0, 1, 1 }));
    EXPECT_EQ(loops[5].vertices[0], (Point{ 1, 0, 1 }));
    EXPECT_EQ(loops[6].vertices[0], (Point{ 1, 1, 0 }));

    // Halves round to even: 2.5 and 1.5 both draw 2 wide with one ring at 0.
    for (float width : { 2.5f, 1.5f }) {
        cube(kFill, kStroke, Vector(width, 1, 1));
        loops = blocksOf(GL_LINE_LOOP);
        ASSERT_EQ(loops.size(), 5u) << width;
        EXPECT_EQ(loops[0].vertices[0], (Point{ -1, -0.5f, -0.5f })) << width;
        EXPECT_EQ(loops[4].vertices[0], (Point{ 0, 0.5f, 0.5f })) << width;
    }

    // 0.4 rounds to 0: a flat box, no rings.
    cube(kFill, kStroke, Vector(0.4f, 1, 1));
    loops = blocksOf(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), 4u);
    for (const Block& b : blocks()) {
        for (const Point& v : b.vertices) {
            EXPECT_EQ(std::fabs(v[0]), 0.0f);
        }
    }
}

TEST_F(DisplayTest, TransparentPartsAreLeftOut)
{
    cube(kClearFill, kClearStroke, Vector(3, 1, 2));
    EXPECT_TRUE(gldouble::calls().empty());

    // Outlines only: no body, no offset, lighting off around them.
    cube(kClearFill, kStroke, Vector(3, 1, 2));
    EXPECT_TRUE(blocksOf(GL_QUADS).empty());
    EXPECT_EQ(blocksOf(GL_LINE_LOOP).size(), 7u);
    EXPECT_EQ(gldouble::countOf("glPolygonOffset"), 0u);
    EXPECT_EQ(gldouble::calls().front().name, "glDisable");
    EXPECT_EQ(gldouble::calls().front().args[0], GL_LIGHTING);
    EXPECT_EQ(gldouble::calls().back().name, "glEnable");
    EXPECT_EQ(gldouble::calls().back().args[0], GL_LIGHTING);

    // Body only: lighting is never touched.
    cube(kFill, kClearStroke, Vector(3, 1, 2));
    EXPECT_EQ(blocksOf(GL_QUADS).size(), 6u);
    EXPECT_TRUE(blocksOf(GL_LINE_LOOP).empty());
    EXPECT_EQ(indexOf("glEnable", GL_LIGHTING), -1);
    EXPECT_EQ(indexOf("glDisable", GL_LIGHTING), -1);
    EXPECT_EQ(gldouble::countOf("glColor4ubv"), 1u);
}

TEST_F(DisplayTest, DrawPlacesTheBoxAtThePhysicsCentreAndFacing)
{
    HandBuilt thing("t", Vector(2, 1, 4), Vector(3, 1, 2), true);
    thing.physics().faceDir(Vector(1, 0, 0));  // theta -90 degrees
    TrokDisplay display(thing.object(), Color(1, 2, 3, 255), Color(4, 5, 6, 255));
    EXPECT_EQ(display.getFillColor().getg(), 2);
    display.setFillColor(Color(7, 8, 9, 128));
    EXPECT_EQ(display.getFillColor().geta(), 128);

    gldouble::clearCalls();
    display.draw();
    const std::vector<gldouble::Call>& all = gldouble::calls();
    ASSERT_GE(all.size(), 5u);
    EXPECT_EQ(all[0].name, "glPushMatrix");
    EXPECT_EQ(all[1].name, "glTranslatef");
    EXPECT_EQ(all[1].args, (std::vector<double>{ 3.5, 1.5, 5 }));
    EXPECT_EQ(all[2].name, "glRotatef");
    EXPECT_EQ(all[2].args, (std::vector<double>{ 0, 1, 0, 0 }));  // pitch first
    EXPECT_EQ(all[3].name, "glRotatef");
    EXPECT_NEAR(all[3].args[0], -90.0, 1e-4);
    EXPECT_EQ(all[3].args[2], 1.0);
    EXPECT_EQ(all[4].name, "glColor4ubv");
    EXPECT_EQ(all[4].args, (std::vector<double>{ 7, 8, 9, 128 }));
    EXPECT_EQ(all.back().name, "glPopMatrix");
    EXPECT_EQ(blocksOf(GL_LINE_LOOP).size(), 7u);  // the physics' size, (3, 1, 2)
}

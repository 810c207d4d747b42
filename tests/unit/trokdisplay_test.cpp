#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "Game/trokdisplay.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"

namespace {

const Color kFill(10, 20, 30, 255);
const Color kStroke(200, 210, 220, 255);

// The recorded calls in short: Q and L for quad and line-loop blocks, C for a
// colour, +/- enable/disable of Lighting or Offset, O for the offset values.
std::string shape()
{
    std::string out;
    for (const gldouble::Call& c : gldouble::calls()) {
        const double a = c.args.empty() ? 0 : c.args[0];
        const char cap = a == GL_LIGHTING ? 'L' : a == GL_POLYGON_OFFSET_FILL ? 'O' : '?';
        if (c.name == "glBegin") out += a == GL_QUADS ? "Q" : a == GL_LINE_LOOP ? "L" : "?";
        else if (c.name == "glColor4ubv") out += "C";
        else if (c.name == "glEnable") out += std::string("+") + cap;
        else if (c.name == "glDisable") out += std::string("-") + cap;
        else if (c.name == "glPolygonOffset") out += "O";
    }
    return out;
}

// The vertices of the n-th block of the given kind, flattened.
std::vector<double> block(int mode, int n, const char* what = "glVertex3fv")
{
    std::vector<double> out;
    int seen = -1;
    for (const gldouble::Call& c : gldouble::calls()) {
        if (c.name == "glBegin") seen += c.args[0] == mode ? 1 : 0;
        else if (seen == n && c.name == "glEnd") return out;
        else if (seen == n && c.name == what) out.insert(out.end(), c.args.begin(), c.args.end());
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

TEST(TrokDisplay, BodyThenEdgesThenRingsInXYZOrder)
{
    EXPECT_EQ(cube(kFill, kStroke, Vector(1, 1, 1)), "C+OOQQQQQQ-O-LCLLLL+L");
    EXPECT_EQ(gldouble::callsNamed("glColor4ubv")[0].args, (std::vector<double>{ 10, 20, 30, 255 }));
    EXPECT_EQ(gldouble::callsNamed("glColor4ubv")[1].args, (std::vector<double>{ 200, 210, 220, 255 }));
    EXPECT_EQ(gldouble::callsNamed("glPolygonOffset")[0].args, (std::vector<double>{ 0.9f, 1.5f }));
    // Faces -z, +z, -x, +x, +y, -y, counter-clockwise from outside; the four
    // edge loops are the first four faces with their normals.
    EXPECT_EQ(block(GL_QUADS, 0), (std::vector<double>{ -.5, -.5, -.5, -.5, .5, -.5, .5, .5, -.5, .5, -.5, -.5 }));
    EXPECT_EQ(block(GL_QUADS, 4), (std::vector<double>{ -.5, .5, -.5, -.5, .5, .5, .5, .5, .5, .5, .5, -.5 }));
    EXPECT_EQ(block(GL_QUADS, 3, "glNormal3fv"), (std::vector<double>{ 1, 0, 0 }));
    EXPECT_EQ(block(GL_QUADS, 5, "glNormal3fv"), (std::vector<double>{ 0, -1, 0 }));
    for (int face = 0; face < 4; ++face) {
        EXPECT_EQ(block(GL_LINE_LOOP, face), block(GL_QUADS, face));
        EXPECT_EQ(block(GL_LINE_LOOP, face, "glNormal3fv"), block(GL_QUADS, face, "glNormal3fv"));
    }

    // (3, 1, 2): x rings at -0.5 and 0.5, none across y, one z ring at 0,
    // without normals.
    EXPECT_EQ(cube(kFill, kStroke, Vector(3, 1, 2)), "C+OOQQQQQQ-O-LCLLLLLLL+L");
    EXPECT_EQ(block(GL_LINE_LOOP, 4), (std::vector<double>{ -.5, .5, 1, -.5, .5, -1, -.5, -.5, -1, -.5, -.5, 1 }));
    EXPECT_EQ(block(GL_LINE_LOOP, 5)[0], 0.5);
    EXPECT_EQ(block(GL_LINE_LOOP, 6), (std::vector<double>{ 1.5, .5, 0, 1.5, -.5, 0, -1.5, -.5, 0, -1.5, .5, 0 }));
    EXPECT_TRUE(block(GL_LINE_LOOP, 6, "glNormal3fv").empty());
    cube(kFill, kStroke, Vector(2, 2, 2));
    EXPECT_EQ(block(GL_LINE_LOOP, 4)[0], 0.0);  // x first,
    EXPECT_EQ(block(GL_LINE_LOOP, 5)[1], 0.0);  // then y,
    EXPECT_EQ(block(GL_LINE_LOOP, 6)[2], 0.0);  // then z

    // Rounded halves to even: 2.5 and 1.5 both draw 2 wide with a ring at 0;
    // 0.4 draws flat.
    for (float width : { 2.5f, 1.5f }) {
        EXPECT_EQ(cube(kFill, kStroke, Vector(width, 1, 1)), "C+OOQQQQQQ-O-LCLLLLL+L") << width;
        EXPECT_EQ(block(GL_QUADS, 0)[0], -1.0);
        EXPECT_EQ(block(GL_LINE_LOOP, 4)[0], 0.0);
    }
    EXPECT_EQ(cube(kFill, kStroke, Vector(0.4f, 1, 1)), "C+OOQQQQQQ-O-LCLLLL+L");
    EXPECT_EQ(block(GL_QUADS, 0)[0], 0.0);
}

TEST(TrokDisplay, TransparentPartsAreLeftOut)
{
    EXPECT_EQ(cube(Color(1, 2, 3, 0), Color(4, 5, 6, 0), Vector(3, 1, 2)), "");
    EXPECT_TRUE(gldouble::calls().empty());
    EXPECT_EQ(cube(Color(1, 2, 3, 0), kStroke, Vector(3, 1, 2)), "-LCLLLLLLL+L");
    EXPECT_EQ(cube(kFill, Color(4, 5, 6, 0), Vector(3, 1, 2)), "C+OOQQQQQQ-O");
}

TEST(TrokDisplay, DrawPlacesTheBoxAtThePhysicsCentreAndFacing)
{
    HandBuilt thing("t", Vector(2, 1, 4), Vector(3, 1, 2), true);
    thing.physics().faceDir(Vector(1, 0, 0));
    TrokDisplay display(thing.object(), kFill, kStroke);
    display.setFillColor(Color(7, 8, 9, 128));

    gldouble::clearCalls();
    display.draw();
    const std::vector<gldouble::Call>& all = gldouble::calls();
    EXPECT_EQ(all[0].name, "glPushMatrix");
    EXPECT_EQ(all[1].args, (std::vector<double>{ 3.5, 1.5, 5 }));     // glTranslatef
    EXPECT_EQ(all[2].args, (std::vector<double>{ 0, 1, 0, 0 }));       // pitch first,
    EXPECT_NEAR(all[3].args[0], -90.0, 1e-4);                          // then heading
    EXPECT_EQ(all[4].args, (std::vector<double>{ 7, 8, 9, 128 }));
    EXPECT_EQ(all.back().name, "glPopMatrix");
    EXPECT_EQ(shape(), "C+OOQQQQQQ-O-LCLLLLLLL+L");                    // the physics' size
}

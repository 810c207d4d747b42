#include "Game/trokdisplay.h"

#include <GL/gl.h>

#include <cmath>

#include "Base/location.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokview.h"

// Each face's corner indices, counter-clockwise seen from outside.
static const int kFaceCorners[6][4] = {
    { 0, 1, 2, 3 },  // z = lo
    { 4, 5, 6, 7 },  // z = hi
    { 0, 4, 7, 1 },  // x = lo
    { 3, 2, 6, 5 },  // x = hi
    { 1, 7, 6, 2 },  // y = hi
    { 0, 3, 5, 4 },  // y = lo
};

static const GLfloat kFaceNormals[6][3] = {
    { 0.0f, 0.0f, -1.0f },
    { 0.0f, 0.0f, 1.0f },
    { -1.0f, 0.0f, 0.0f },
    { 1.0f, 0.0f, 0.0f },
    { 0.0f, 1.0f, 0.0f },
    { 0.0f, -1.0f, 0.0f },
};

// Faces 0 to 3 trace all twelve edges; the top and bottom add none.
static const int kEdgeLoops = 4;
// A box with more rings than this looks up the view to leave out those it cannot show.
static const float kRingsWorthAView = 64.0f;

static void ring(GLfloat a0, GLfloat a1, GLfloat a2, GLfloat b0, GLfloat b1, GLfloat b2,
                 GLfloat c0, GLfloat c1, GLfloat c2, GLfloat d0, GLfloat d1, GLfloat d2)
{
    const GLfloat points[4][3] = { { a0, a1, a2 }, { b0, b1, b2 }, { c0, c1, c2 }, { d0, d1, d2 } };
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 4; ++i) {
        glVertex3fv(points[i]);
    }
    glEnd();
}

TrokDisplay::TrokDisplay(TrokObject* parent, Color fill, Color stroke)
    : TrokComponent(parent)
{
    // The members start as default colours (which restart the shift
    // generator, as every default colour does) and then take the given ones.
    this->fill = fill;
    this->stroke = stroke;
}

Color TrokDisplay::getFillColor() const
{
    return fill;
}

void TrokDisplay::setFillColor(Color color)
{
    fill = color;
}

void TrokDisplay::draw() const
{
    glPushMatrix();
    parent->physics->getCurrentLocation().use();
    const Vector size = parent->physics->getSize();
    // Looking up the view costs a little: worth it only for many rings.
    if (std::rint(size.x) + std::rint(size.y) + std::rint(size.z) > kRingsWorthAView) {
        const TrokView view = TrokView::current();
        makeCube(fill, stroke, size, &view);
    } else {
        makeCube(fill, stroke, size);
    }
    glPopMatrix();
}

void TrokDisplay::makeCube(Color fill, Color stroke, Vector size, const TrokView* view)
{
    // Invisible walls: leave OpenGL alone altogether.
    if (fill.geta() == 0 && stroke.geta() == 0) {
        return;
    }
    const float rx = std::rint(size.x);
    const float ry = std::rint(size.y);
    const float rz = std::rint(size.z);
    const int nx = static_cast<int>(rx);
    const int ny = static_cast<int>(ry);
    const int nz = static_cast<int>(rz);
    const Vector hi = Vector(rx, ry, rz) / 2.0f;
    const Vector lo = hi * -1.0f;

    const GLfloat corners[8][3] = {
        { lo.x, lo.y, lo.z },
        { lo.x, hi.y, lo.z },
        { hi.x, hi.y, lo.z },
        { hi.x, lo.y, lo.z },
        { lo.x, lo.y, hi.z },
        { hi.x, lo.y, hi.z },
        { hi.x, hi.y, hi.z },
        { lo.x, hi.y, hi.z },
    };

    if (fill.geta() != 0) {
        glColor4ubv(fill.get());
        // Push the body's depth back so outlines on its faces win.
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(0.9f, 1.5f);
        for (int face = 0; face < 6; ++face) {
            glBegin(GL_QUADS);
            glNormal3fv(kFaceNormals[face]);
            for (int k = 0; k < 4; ++k) {
                glVertex3fv(corners[kFaceCorners[face][k]]);
            }
            glEnd();
        }
        glDisable(GL_POLYGON_OFFSET_FILL);
    }

    if (stroke.geta() != 0) {
        glDisable(GL_LIGHTING);
        glColor4ubv(stroke.get());
        for (int face = 0; face < kEdgeLoops; ++face) {
            glBegin(GL_LINE_LOOP);
            glNormal3fv(kFaceNormals[face]);
            for (int k = 0; k < 4; ++k) {
                glVertex3fv(corners[kFaceCorners[face][k]]);
            }
            glEnd();
        }
        const Vector half(std::fabs(hi.x), std::fabs(hi.y), std::fabs(hi.z));
        auto shown = [view](Vector centre, Vector reach) { return view == nullptr || view->mayShowBox(centre, reach); };
        const float startX = std::fmin(hi.x, lo.x);
        for (int i = 1; i < nx; ++i) {
            const float x = startX + static_cast<float>(i);
            if (shown(Vector(x, 0.0f, 0.0f), Vector(0.0f, half.y, half.z))) {
                ring(x, hi.y, hi.z, x, hi.y, lo.z, x, lo.y, lo.z, x, lo.y, hi.z);
            }
        }
        const float startY = std::fmin(hi.y, lo.y);
        for (int j = 1; j < ny; ++j) {
            const float y = startY + static_cast<float>(j);
            if (shown(Vector(0.0f, y, 0.0f), Vector(half.x, 0.0f, half.z))) {
                ring(hi.x, y, hi.z, hi.x, y, lo.z, lo.x, y, lo.z, lo.x, y, hi.z);
            }
        }
        const float startZ = std::fmin(hi.z, lo.z);
        for (int k = 1; k < nz; ++k) {
            const float z = startZ + static_cast<float>(k);
            if (shown(Vector(0.0f, 0.0f, z), Vector(half.x, half.y, 0.0f))) {
                ring(hi.x, hi.y, z, hi.x, lo.y, z, lo.x, lo.y, z, lo.x, hi.y, z);
            }
        }
        // On again whether or not it was on before: the scene is lit.
        glEnable(GL_LIGHTING);
    }
}

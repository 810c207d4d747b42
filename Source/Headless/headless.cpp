#include "Headless/headless.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace
{

Headless::Observer observer = nullptr;
uint32_t elapsed = 0;
void (*displayCallback)() = nullptr;
void (*reshapeCallback)(int, int) = nullptr;
void (*keyboardCallback)(unsigned char, int, int) = nullptr;
void (*keyboardUpCallback)(unsigned char, int, int) = nullptr;
void (*specialCallback)(int, int, int) = nullptr;
void (*specialUpCallback)(int, int, int) = nullptr;
void (*windowStatusCallback)(int) = nullptr;
// What glutGet answers about the window and the screen.
int windowX = 0;
int windowY = 0;
int screenWidth = 0;
int screenHeight = 0;

void tell(const char* name, std::initializer_list<double> args, const char* text = "", int length = 0)
{
    observer(name, args.begin(), static_cast<int>(args.size()), text, length);
}

// The matrices are kept as OpenGL keeps them, column by column, so that the
// game's view of what it may skip drawing is the view a window would give.
struct Matrix
{
    double m[16];
};

const Matrix kIdentity = { { 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 } };
std::vector<Matrix> projection(1, kIdentity);
std::vector<Matrix> modelview(1, kIdentity);
std::vector<Matrix> texture(1, kIdentity);
std::vector<Matrix>* current = &modelview;

// The current matrix times m, as every OpenGL matrix call combines them.
void multiply(const Matrix& by)
{
    const Matrix was = current->back();
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += was.m[k * 4 + row] * by.m[col * 4 + k];
            }
            current->back().m[col * 4 + row] = sum;
        }
    }
}

void translate(double x, double y, double z)
{
    Matrix t = kIdentity;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    multiply(t);
}

void rotate(double degrees, double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0)) {
        return;
    }
    x /= length;
    y /= length;
    z /= length;
    const double c = std::cos(degrees * M_PI / 180.0);
    const double s = std::sin(degrees * M_PI / 180.0);
    const double d = 1.0 - c;
    const Matrix r = { { x * x * d + c, y * x * d + z * s, x * z * d - y * s, 0,
                         x * y * d - z * s, y * y * d + c, y * z * d + x * s, 0,
                         x * z * d + y * s, y * z * d - x * s, z * z * d + c, 0,
                         0, 0, 0, 1 } };
    multiply(r);
}

void ortho(double l, double r, double b, double t, double n, double f)
{
    const Matrix o = { { 2 / (r - l), 0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, -2 / (f - n), 0,
                         -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1 } };
    multiply(o);
}

void perspective(double fovy, double aspect, double zNear, double zFar)
{
    const double c = 1.0 / std::tan(fovy * M_PI / 360.0);
    const Matrix p = { { c / aspect, 0, 0, 0, 0, c, 0, 0, 0, 0, (zFar + zNear) / (zNear - zFar), -1,
                         0, 0, 2 * zFar * zNear / (zNear - zFar), 0 } };
    multiply(p);
}

void lookAt(double ex, double ey, double ez, double cx, double cy, double cz, double ux, double uy, double uz)
{
    double f[3] = { cx - ex, cy - ey, cz - ez };
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    double s[3] = { f[1] * uz - f[2] * uy, f[2] * ux - f[0] * uz, f[0] * uy - f[1] * ux };
    const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    if (!(fl > 0.0) || !(sl > 0.0)) {
        return;     // no direction to look in, as GLU leaves it
    }
    for (int i = 0; i < 3; ++i) {
        f[i] /= fl;
        s[i] /= sl;
    }
    const double u[3] = { s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0] };
    const Matrix look = { { s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, 0, 0, 0, 1 } };
    multiply(look);
    translate(-ex, -ey, -ez);
}

// An upload shows its whole picture.
void tellUpload(const char* name, std::initializer_list<double> args, GLsizei width, GLsizei height,
                GLenum format, const void* data)
{
    const long perPixel = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1;
    const long size = data == nullptr ? 0 : long(width) * long(height) * perPixel;
    tell(name, args, static_cast<const char*>(data), static_cast<int>(size));
}

}  // namespace

void Headless::setObserver(Observer newObserver) { observer = newObserver; }
void Headless::setClock(uint32_t ms) { elapsed = ms; }
void Headless::advanceClock(uint32_t ms) { elapsed += ms; }
void Headless::display() { if (displayCallback) displayCallback(); }
void Headless::reshape(int width, int height) { if (reshapeCallback) reshapeCallback(width, height); }
void Headless::pressKey(unsigned char key) { if (keyboardCallback) keyboardCallback(key, 0, 0); }
void Headless::releaseKey(unsigned char key) { if (keyboardUpCallback) keyboardUpCallback(key, 0, 0); }
void Headless::pressSpecial(int key) { if (specialCallback) specialCallback(key, 0, 0); }
void Headless::releaseSpecial(int key) { if (specialUpCallback) specialUpCallback(key, 0, 0); }
void Headless::windowStatus(int status) { if (windowStatusCallback) windowStatusCallback(status); }
void Headless::setScreen(int width, int height) { screenWidth = width; screenHeight = height; }

void Headless::reset()
{
    observer = nullptr;
    elapsed = 0;
    displayCallback = nullptr;
    reshapeCallback = nullptr;
    keyboardCallback = keyboardUpCallback = nullptr;
    specialCallback = specialUpCallback = nullptr;
    windowStatusCallback = nullptr;
    windowX = windowY = screenWidth = screenHeight = 0;
    projection.assign(1, kIdentity);
    modelview.assign(1, kIdentity);
    texture.assign(1, kIdentity);
    current = &modelview;
}

// One line per call: its name, its parameters, the numbers an observer sees.
// Nothing is gathered without an observer: a game calls these by the million.
#define CALL(name, params, ...) extern "C" void name params { if (observer) tell(#name, { __VA_ARGS__ }); }
#define CALL0(name) extern "C" void name(void) { if (observer) tell(#name, {}); }
#define REGISTER(name, slot, ...) extern "C" void name(__VA_ARGS__) { if (observer) tell(#name, {}); slot = callback; }

CALL(glBegin, (GLenum mode), double(mode))
CALL0(glEnd)
CALL(glBlendFunc, (GLenum s, GLenum d), double(s), double(d))
CALL(glClear, (GLbitfield mask), double(mask))
CALL(glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), r, g, b, a)
CALL(glClearDepth, (GLclampd depth), depth)
CALL(glColorMaterial, (GLenum face, GLenum mode), double(face), double(mode))
CALL(glCullFace, (GLenum mode), double(mode))
CALL(glDepthMask, (GLboolean flag), double(flag))
CALL(glDisable, (GLenum cap), double(cap))
CALL(glEnable, (GLenum cap), double(cap))
CALL(glPointSize, (GLfloat size), size)
CALL(glPolygonOffset, (GLfloat factor, GLfloat units), factor, units)
CALL(glPushClientAttrib, (GLbitfield mask), double(mask))
CALL0(glPopClientAttrib)
CALL(glPixelStorei, (GLenum pname, GLint param), double(pname), double(param))
CALL(glRasterPos3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
CALL(glShadeModel, (GLenum mode), double(mode))
CALL(glVertex2f, (GLfloat x, GLfloat y), x, y)
CALL(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
CALL(glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), double(x), double(y), double(w), double(h))
CALL(glBindTexture, (GLenum target, GLuint texture), double(target), double(texture))
CALL(glTexParameteri, (GLenum target, GLenum pname, GLint param), double(target), double(pname), double(param))
CALL(glTexEnvf, (GLenum target, GLenum pname, GLfloat param), double(target), double(pname), param)
CALL(glutInitDisplayMode, (unsigned int mode), double(mode))
CALL(glutInitWindowSize, (int w, int h), double(w), double(h))
CALL(glutIgnoreKeyRepeat, (int ignore), double(ignore))
CALL0(glutSwapBuffers)
CALL0(glutPostRedisplay)
CALL0(glutFullScreen)
CALL0(glutLeaveFullScreen)
CALL(glutReshapeWindow, (int w, int h), double(w), double(h))
CALL(glutSolidCube, (GLdouble size), size)
CALL(glColor4ubv, (const GLubyte* v), double(v[0]), double(v[1]), double(v[2]), double(v[3]))
CALL(glNormal3fv, (const GLfloat* v), v[0], v[1], v[2])
CALL(glRasterPos3fv, (const GLfloat* v), v[0], v[1], v[2])
CALL(glVertex3fv, (const GLfloat* v), v[0], v[1], v[2])
CALL(glLightfv, (GLenum light, GLenum pname, const GLfloat* v), double(light), double(pname), v[0], v[1], v[2], v[3])
REGISTER(glutDisplayFunc, displayCallback, void (*callback)(void))
REGISTER(glutReshapeFunc, reshapeCallback, void (*callback)(int, int))
REGISTER(glutKeyboardFunc, keyboardCallback, void (*callback)(unsigned char, int, int))
REGISTER(glutKeyboardUpFunc, keyboardUpCallback, void (*callback)(unsigned char, int, int))
REGISTER(glutSpecialFunc, specialCallback, void (*callback)(int, int, int))
REGISTER(glutSpecialUpFunc, specialUpCallback, void (*callback)(int, int, int))
REGISTER(glutWindowStatusFunc, windowStatusCallback, void (*callback)(int))

// The window is where it was put; no modifier key is ever held.
extern "C" void glutInitWindowPosition(int x, int y)
{
    if (observer) tell("glutInitWindowPosition", { double(x), double(y) });
    windowX = x;
    windowY = y;
}

extern "C" void glutPositionWindow(int x, int y)
{
    if (observer) tell("glutPositionWindow", { double(x), double(y) });
    windowX = x;
    windowY = y;
}

extern "C" int glutGetModifiers(void)
{
    return 0;
}

extern "C" void glMaterialfv(GLenum face, GLenum pname, const GLfloat* v)
{
    if (!observer) return;
    pname == GL_SHININESS ? tell("glMaterialfv", { double(face), double(pname), v[0] })
                          : tell("glMaterialfv", { double(face), double(pname), v[0], v[1], v[2], v[3] });
}

// Frames run when told, not when idle.
extern "C" void glutIdleFunc(void (*)(void))
{
    if (observer) tell("glutIdleFunc", {});
}

extern "C" void glGenTextures(GLsizei n, GLuint* textures)
{
    std::fill(textures, textures + n, 1u);
}

extern "C" void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const GLvoid* data)
{
    if (observer) {
        tellUpload("glTexImage2D", { double(target), double(level), double(internalFormat), double(width),
                                     double(height), double(border), double(format), double(type) },
                   width, height, format, data);
    }
}

extern "C" GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                                   GLenum format, GLenum type, const void* data)
{
    if (observer) {
        tellUpload("gluBuild2DMipmaps", { double(target), double(internalFormat), double(width), double(height),
                                          double(format), double(type) },
                   width, height, format, data);
    }
    return 0;
}

// Calls that change the matrices are told and then applied.
#define MATRIX_CALL(name, params, apply, ...) \
    extern "C" void name params { if (observer) tell(#name, { __VA_ARGS__ }); apply; }

MATRIX_CALL(glMatrixMode, (GLenum mode),
            current = mode == GL_PROJECTION ? &projection : mode == GL_TEXTURE ? &texture : &modelview,
            double(mode))
extern "C" void glLoadIdentity(void)
{
    if (observer) tell("glLoadIdentity", {});
    current->back() = kIdentity;
}

extern "C" void glPushMatrix(void)
{
    if (observer) tell("glPushMatrix", {});
    current->push_back(current->back());
}

// Popping the last matrix is an error that changes nothing.
extern "C" void glPopMatrix(void)
{
    if (observer) tell("glPopMatrix", {});
    if (current->size() > 1) current->pop_back();
}

MATRIX_CALL(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), translate(x, y, z), x, y, z)
MATRIX_CALL(glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), rotate(angle, x, y, z), angle, x, y, z)
MATRIX_CALL(glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f),
            ortho(l, r, b, t, n, f), l, r, b, t, n, f)
MATRIX_CALL(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar),
            perspective(fovy, aspect, zNear, zFar), fovy, aspect, zNear, zFar)
MATRIX_CALL(gluLookAt, (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
                        GLdouble uy, GLdouble uz), lookAt(ex, ey, ez, cx, cy, cz, ux, uy, uz),
            ex, ey, ez, cx, cy, cz, ux, uy, uz)

// The two matrices the game asks for; anything else reads zeros.
extern "C" void glGetFloatv(GLenum what, GLfloat* params)
{
    const std::vector<Matrix>* stack = what == GL_PROJECTION_MATRIX ? &projection
                                     : what == GL_MODELVIEW_MATRIX ? &modelview : nullptr;
    for (int i = 0; i < 16; ++i) {
        params[i] = stack != nullptr ? static_cast<float>(stack->back().m[i]) : 0.0f;
    }
}

// The address is the font's identity, as in freeglut.
void* glutBitmapHelvetica18 = nullptr;

extern "C" void glutBitmapCharacter(void* font, int character)
{
    if (observer) tell("glutBitmapCharacter", { double(character), font == GLUT_BITMAP_HELVETICA_18 ? 18.0 : 0.0 });
}

extern "C" int glutCreateWindow(const char* title)
{
    if (observer) tell("glutCreateWindow", {}, title, static_cast<int>(std::strlen(title)));
    return 1;
}

extern "C" int glutGet(GLenum what)
{
    switch (what) {
    case GLUT_ELAPSED_TIME: return static_cast<int>(elapsed);
    case GLUT_WINDOW_X: return windowX;
    case GLUT_WINDOW_Y: return windowY;
    case GLUT_SCREEN_WIDTH: return screenWidth;
    case GLUT_SCREEN_HEIGHT: return screenHeight;
    default: return 0;
    }
}

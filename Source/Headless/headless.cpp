#include "Headless/headless.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

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

void tell(const char* name, std::initializer_list<double> args, const char* text = "", int length = 0)
{
    observer(name, args.begin(), static_cast<int>(args.size()), text, length);
}

// An upload shows its first bytes: enough to tell a picture's corner.
void tellUpload(const char* name, std::initializer_list<double> args, GLsizei width, GLsizei height,
                GLenum format, const void* data)
{
    const long perPixel = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1;
    const long size = data == nullptr ? 0 : std::min(32L, long(width) * long(height) * perPixel);
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

void Headless::reset()
{
    observer = nullptr;
    elapsed = 0;
    displayCallback = nullptr;
    reshapeCallback = nullptr;
    keyboardCallback = keyboardUpCallback = nullptr;
    specialCallback = specialUpCallback = nullptr;
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
CALL0(glLoadIdentity)
CALL(glMatrixMode, (GLenum mode), double(mode))
CALL(glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f), l, r, b, t, n, f)
CALL(glPointSize, (GLfloat size), size)
CALL(glPolygonOffset, (GLfloat factor, GLfloat units), factor, units)
CALL0(glPushMatrix)
CALL0(glPopMatrix)
CALL(glPushClientAttrib, (GLbitfield mask), double(mask))
CALL0(glPopClientAttrib)
CALL(glPixelStorei, (GLenum pname, GLint param), double(pname), double(param))
CALL(glRasterPos3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
CALL(glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), angle, x, y, z)
CALL(glShadeModel, (GLenum mode), double(mode))
CALL(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
CALL(glVertex2f, (GLfloat x, GLfloat y), x, y)
CALL(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
CALL(glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), double(x), double(y), double(w), double(h))
CALL(glBindTexture, (GLenum target, GLuint texture), double(target), double(texture))
CALL(glTexParameteri, (GLenum target, GLenum pname, GLint param), double(target), double(pname), double(param))
CALL(glTexEnvf, (GLenum target, GLenum pname, GLfloat param), double(target), double(pname), param)
CALL(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar), fovy, aspect, zNear, zFar)
CALL(gluLookAt, (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
                 GLdouble uy, GLdouble uz), ex, ey, ez, cx, cy, cz, ux, uy, uz)
CALL(glutInitDisplayMode, (unsigned int mode), double(mode))
CALL(glutInitWindowSize, (int w, int h), double(w), double(h))
CALL(glutInitWindowPosition, (int x, int y), double(x), double(y))
CALL(glutIgnoreKeyRepeat, (int ignore), double(ignore))
CALL0(glutSwapBuffers)
CALL0(glutPostRedisplay)
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

// No matrices are kept: a query reads zeros, which the game takes as "no
// view known", and so it draws everything.
extern "C" void glGetFloatv(GLenum, GLfloat* params)
{
    std::fill(params, params + 16, 0.0f);
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
    return what == GLUT_ELAPSED_TIME ? static_cast<int>(elapsed) : 0;
}

#include "double/gldouble.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <map>

// Definitions with C linkage matching the real headers' declarations, so the
// engine library links against these instead of libGL, libGLU and libglut.

namespace gldouble {

namespace {

std::vector<Call> g_calls;
bool g_recording = true;
uint32_t g_clock = 0;
std::map<int, int> g_glutGet;
std::map<unsigned int, std::string> g_glStrings;
unsigned int g_texImageError = GL_NO_ERROR;
unsigned int g_pendingError = GL_NO_ERROR;
GLuint g_nextTexture = 1;

void (*g_display)() = nullptr;
void (*g_idle)() = nullptr;
void (*g_reshape)(int, int) = nullptr;
void (*g_keyboard)(unsigned char, int, int) = nullptr;
void (*g_keyboardUp)(unsigned char, int, int) = nullptr;
void (*g_special)(int, int, int) = nullptr;
void (*g_specialUp)(int, int, int) = nullptr;

template <typename... Args>
void rec(const char* name, Args... args)
{
    if (!g_recording) {
        return;
    }
    record(name, { static_cast<double>(args)... });
}

template <typename T>
void recArray(const char* name, const T* values, int count, std::vector<double> leading)
{
    if (!g_recording) {
        return;
    }
    for (int i = 0; i < count && values != nullptr; ++i) {
        leading.push_back(static_cast<double>(values[i]));
    }
    record(name, leading);
}

// Checks before building anything: long unrecorded runs call this a lot.
template <typename T>
void recArray(const char* name, const T* values, int count)
{
    if (g_recording) {
        recArray(name, values, count, std::vector<double>());
    }
}

}  // namespace

const std::vector<Call>& calls() { return g_calls; }

std::vector<Call> callsNamed(const std::string& name)
{
    std::vector<Call> found;
    for (const Call& call : g_calls) {
        if (call.name == name) {
            found.push_back(call);
        }
    }
    return found;
}

size_t countOf(const std::string& name) { return callsNamed(name).size(); }

std::vector<std::string> names(const std::string& prefix)
{
    std::vector<std::string> found;
    for (const Call& call : g_calls) {
        if (call.name.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(call.name);
        }
    }
    return found;
}

void clearCalls() { g_calls.clear(); }
void setRecording(bool on) { g_recording = on; }

void record(const char* name, std::vector<double> args, const std::string& text)
{
    g_calls.push_back(Call{ name, std::move(args), text });
}

std::string bitmapText()
{
    std::string text;
    for (const Call& call : g_calls) {
        if (call.name == "glutBitmapCharacter") {
            text += static_cast<char>(call.args[0]);
        }
    }
    return text;
}

void setClock(uint32_t ms) { g_clock = ms; }
void advanceClock(uint32_t ms) { g_clock += ms; }
uint32_t clock() { return g_clock; }

void setGlutGet(int what, int value) { g_glutGet[what] = value; }
void setGlString(unsigned int name, const char* value) { g_glStrings[name] = value; }
void setTexImageError(unsigned int error) { g_texImageError = error; }

bool hasDisplayCallback() { return g_display != nullptr; }
void display() { if (g_display) g_display(); }
void idle() { if (g_idle) g_idle(); }
void reshape(int width, int height) { if (g_reshape) g_reshape(width, height); }
void pressKey(unsigned char key) { if (g_keyboard) g_keyboard(key, 0, 0); }
void releaseKey(unsigned char key) { if (g_keyboardUp) g_keyboardUp(key, 0, 0); }
void pressSpecial(int key) { if (g_special) g_special(key, 0, 0); }
void releaseSpecial(int key) { if (g_specialUp) g_specialUp(key, 0, 0); }

void reset()
{
    g_calls.clear();
    g_recording = true;
    g_clock = 0;
    g_glutGet.clear();
    g_glStrings.clear();
    g_texImageError = GL_NO_ERROR;
    g_pendingError = GL_NO_ERROR;
    g_nextTexture = 1;
    g_display = nullptr;
    g_idle = nullptr;
    g_reshape = nullptr;
    g_keyboard = nullptr;
    g_keyboardUp = nullptr;
    g_special = nullptr;
    g_specialUp = nullptr;
}

}  // namespace gldouble

using gldouble::rec;
using gldouble::recArray;

// One line per plain function: name, parameter list, recorded arguments.
#define RECORD(name, params, ...) \
    extern "C" void name params { rec(#name, __VA_ARGS__); }
#define RECORD0(name) \
    extern "C" void name(void) { rec(#name); }
// Functions taking a pointer to a fixed number of values.
#define RECORD_ARRAY(name, type, count) \
    extern "C" void name(const type* v) { recArray(#name, v, count); }

// --- GL ----------------------------------------------------------------------
RECORD(glBegin, (GLenum mode), mode)
RECORD0(glEnd)
RECORD(glBlendFunc, (GLenum s, GLenum d), s, d)
RECORD(glClear, (GLbitfield mask), mask)
RECORD(glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), r, g, b, a)
RECORD(glClearDepth, (GLclampd depth), depth)
RECORD(glColor3f, (GLfloat r, GLfloat g, GLfloat b), r, g, b)
RECORD(glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), r, g, b, a)
RECORD(glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a), r, g, b, a)
RECORD_ARRAY(glColor4ubv, GLubyte, 4)
RECORD_ARRAY(glColor4fv, GLfloat, 4)
RECORD(glColorMaterial, (GLenum face, GLenum mode), face, mode)
RECORD(glCullFace, (GLenum mode), mode)
RECORD(glDepthMask, (GLboolean flag), flag)
RECORD(glDisable, (GLenum cap), cap)
RECORD(glEnable, (GLenum cap), cap)
RECORD0(glFlush)
RECORD(glFrustum, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f), l, r, b, t, n, f)
RECORD(glLineWidth, (GLfloat width), width)
RECORD0(glLoadIdentity)
RECORD(glMatrixMode, (GLenum mode), mode)
RECORD(glMultMatrixf, (const GLfloat* m), m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14], m[15])
RECORD(glNormal3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORD_ARRAY(glNormal3fv, GLfloat, 3)
RECORD(glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f), l, r, b, t, n, f)
RECORD(glPointSize, (GLfloat size), size)
RECORD(glPolygonOffset, (GLfloat factor, GLfloat units), factor, units)
RECORD0(glPopMatrix)
RECORD0(glPushMatrix)
RECORD(glRasterPos2f, (GLfloat x, GLfloat y), x, y)
RECORD(glRasterPos3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORD_ARRAY(glRasterPos3fv, GLfloat, 3)
RECORD(glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), angle, x, y, z)
RECORD(glScalef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORD(glShadeModel, (GLenum mode), mode)
RECORD(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORD(glVertex2f, (GLfloat x, GLfloat y), x, y)
RECORD(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORD_ARRAY(glVertex3fv, GLfloat, 3)
RECORD(glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), x, y, w, h)
RECORD(glBindTexture, (GLenum target, GLuint texture), target, texture)
RECORD(glTexParameteri, (GLenum target, GLenum pname, GLint param), target, pname, param)
RECORD(glTexParameterf, (GLenum target, GLenum pname, GLfloat param), target, pname, param)
RECORD(glTexEnvi, (GLenum target, GLenum pname, GLint param), target, pname, param)
RECORD(glTexEnvf, (GLenum target, GLenum pname, GLfloat param), target, pname, param)
RECORD(glPixelStorei, (GLenum pname, GLint param), pname, param)
RECORD(glPushClientAttrib, (GLbitfield mask), mask)
RECORD0(glPopClientAttrib)
RECORD(glDrawPixels, (GLsizei w, GLsizei h, GLenum format, GLenum type, const GLvoid*), w, h, format, type)
RECORD(glReadPixels, (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, GLvoid*), x, y, w, h, format, type)
RECORD(glTexCoord2f, (GLfloat s, GLfloat t), s, t)

extern "C" void glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    // Positions and colours have four values; the few scalar parameters one.
    const int count = (pname == GL_SPOT_EXPONENT || pname == GL_SPOT_CUTOFF ||
                       pname == GL_CONSTANT_ATTENUATION || pname == GL_LINEAR_ATTENUATION ||
                       pname == GL_QUADRATIC_ATTENUATION) ? 1
                    : (pname == GL_SPOT_DIRECTION) ? 3 : 4;
    recArray("glLightfv", params, count, { static_cast<double>(light), static_cast<double>(pname) });
}

extern "C" void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params)
{
    const int count = (pname == GL_SHININESS) ? 1 : 4;
    recArray("glMaterialfv", params, count, { static_cast<double>(face), static_cast<double>(pname) });
}

extern "C" void glMaterialf(GLenum face, GLenum pname, GLfloat param)
{
    rec("glMaterialf", face, pname, param);
}

extern "C" void glLightModelfv(GLenum pname, const GLfloat* params)
{
    recArray("glLightModelfv", params, 4, { static_cast<double>(pname) });
}

extern "C" void glGenTextures(GLsizei n, GLuint* textures)
{
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = gldouble::g_nextTexture++;
    }
    rec("glGenTextures", n);
}

extern "C" void glDeleteTextures(GLsizei n, const GLuint* textures)
{
    recArray("glDeleteTextures", textures, n, { static_cast<double>(n) });
}

extern "C" void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type, const GLvoid*)
{
    rec("glTexImage2D", target, level, internalFormat, width, height, border, format, type);
    gldouble::g_pendingError = gldouble::g_texImageError;
}

extern "C" void glCompressedTexImage2DARB(GLenum target, GLint level, GLenum internalFormat, GLsizei width,
                                          GLsizei height, GLint border, GLsizei imageSize, const GLvoid*)
{
    rec("glCompressedTexImage2DARB", target, level, internalFormat, width, height, border, imageSize);
}

extern "C" GLenum glGetError(void)
{
    rec("glGetError");
    const GLenum error = gldouble::g_pendingError;
    gldouble::g_pendingError = GL_NO_ERROR;
    return error;
}

// The double keeps no matrices: a query reads zeros (sixteen of them, the
// most any query the game makes can answer), which means "no view known".
extern "C" void glGetFloatv(GLenum pname, GLfloat* params)
{
    rec("glGetFloatv", pname);
    for (int i = 0; i < 16; ++i) {
        params[i] = 0.0f;
    }
}

extern "C" const GLubyte* glGetString(GLenum name)
{
    rec("glGetString", name);
    const auto found = gldouble::g_glStrings.find(name);
    if (found == gldouble::g_glStrings.end()) {
        return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(found->second.c_str());
}

extern "C" GLboolean glIsEnabled(GLenum cap)
{
    rec("glIsEnabled", cap);
    return GL_FALSE;
}

// --- GLU ---------------------------------------------------------------------
RECORD(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar), fovy, aspect, zNear, zFar)
RECORD(gluLookAt, (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
                   GLdouble ux, GLdouble uy, GLdouble uz), ex, ey, ez, cx, cy, cz, ux, uy, uz)
RECORD(gluOrtho2D, (GLdouble l, GLdouble r, GLdouble b, GLdouble t), l, r, b, t)

extern "C" GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height,
                                   GLenum format, GLenum type, const void*)
{
    rec("gluBuild2DMipmaps", target, components, width, height, format, type);
    return 0;
}

// --- GLUT --------------------------------------------------------------------
// The address is the font's identity, as in freeglut.
void* glutBitmapHelvetica18 = nullptr;

RECORD(glutInitDisplayMode, (unsigned int mode), mode)
RECORD(glutInitWindowSize, (int w, int h), w, h)
RECORD(glutInitWindowPosition, (int x, int y), x, y)
RECORD(glutIgnoreKeyRepeat, (int ignore), ignore)
RECORD0(glutSwapBuffers)
RECORD0(glutPostRedisplay)
RECORD0(glutMainLoop)
RECORD(glutSolidCube, (GLdouble size), size)
RECORD(glutWireCube, (GLdouble size), size)
RECORD0(glutFullScreen)

extern "C" void glutInit(int*, char**)
{
    rec("glutInit");
}

extern "C" int glutCreateWindow(const char* title)
{
    gldouble::record("glutCreateWindow", {}, title);
    return 1;
}

extern "C" int glutGet(GLenum what)
{
    if (what == GLUT_ELAPSED_TIME) {
        return static_cast<int>(gldouble::g_clock);
    }
    const auto found = gldouble::g_glutGet.find(static_cast<int>(what));
    return found == gldouble::g_glutGet.end() ? 0 : found->second;
}

extern "C" void glutBitmapCharacter(void* font, int character)
{
    // Only the font's identity matters: record whether it is Helvetica 18.
    rec("glutBitmapCharacter", character, font == GLUT_BITMAP_HELVETICA_18 ? 18 : 0);
}

extern "C" int glutBitmapWidth(void*, int)
{
    return 10;
}

// Registration is recorded too, so tests can check which callbacks were set.
extern "C" void glutDisplayFunc(void (*callback)(void)) { rec("glutDisplayFunc"); gldouble::g_display = callback; }
extern "C" void glutIdleFunc(void (*callback)(void)) { rec("glutIdleFunc"); gldouble::g_idle = callback; }
extern "C" void glutReshapeFunc(void (*callback)(int, int)) { rec("glutReshapeFunc"); gldouble::g_reshape = callback; }
extern "C" void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { rec("glutKeyboardFunc"); gldouble::g_keyboard = callback; }
extern "C" void glutKeyboardUpFunc(void (*callback)(unsigned char, int, int)) { rec("glutKeyboardUpFunc"); gldouble::g_keyboardUp = callback; }
extern "C" void glutSpecialFunc(void (*callback)(int, int, int)) { rec("glutSpecialFunc"); gldouble::g_special = callback; }
extern "C" void glutSpecialUpFunc(void (*callback)(int, int, int)) { rec("glutSpecialUpFunc"); gldouble::g_specialUp = callback; }

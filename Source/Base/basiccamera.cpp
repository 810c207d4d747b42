#include "Base/basiccamera.h"

#include <GL/gl.h>
#include <GL/glu.h>

BasicCamera::BasicCamera()
    : BasicObject()
{
    reset();
}

void BasicCamera::reset()
{
    loc.reset();
    fieldOfViewY = 45.0f;
    aspectRatio = 1.0f;
    clipNear = 0.1f;
    clipFar = 100.0f;
    ortho = false;
}

void BasicCamera::draw()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (ortho) {
        // x from 0 at the left edge to aspectRatio at the right, y from 0 to 1.
        glOrtho(0.0, aspectRatio, 0.0, 1.0, clipNear, clipFar);
    } else {
        gluPerspective(fieldOfViewY, aspectRatio, clipNear, clipFar);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Orientation comes only through the look-at: up is always +y, roll never applies.
    const Vector up = loc.findUp();
    const Vector forward = loc.findForward();
    const Vector eye = loc;
    const Vector centre = eye + forward;
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}

#include "render/tattoo_clip.h"

#include <GL/gl.h>
#include <algorithm>

#include "render/tile_drawing.h"
#include "scene/scene_state.h"

bool TattooClipActive() {
    return ClipToSelection && SelectionClosed && SelectionLast > 0;
}

void PrepareTattooClip(float offX, float offY) {
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 0, 1);
    // Every triangle of a fan about the first point turns the pixels it
    // covers: those covered an odd number of times are inside.
    glStencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    ApplyPhotoTransform(offX, offY);
    glBegin(GL_TRIANGLE_FAN);
    const int last = std::min(SelectionLast, SelectionCapacity - 1);
    for (int i = 0; i <= last; ++i)
        glVertex2f(SelectionPoints[i].X * Zoom, SelectionPoints[i].Y * Zoom);
    glEnd();
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_EQUAL, 1, 1);
    glDisable(GL_STENCIL_TEST);
}

void UseTattooClip(bool on) {
    if (on)
        glEnable(GL_STENCIL_TEST);
    else
        glDisable(GL_STENCIL_TEST);
}

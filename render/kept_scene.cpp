#include "render/kept_scene.h"

#include <GL/gl.h>
#include <QOpenGLContext>
#include <algorithm>

#include "scene/scene_state.h"

namespace {

struct KeptScene {
    // The texture lives in the context that drew the scene; another context
    // (a test's, or the canvas widget's next one) makes its own.
    QOpenGLContext* Context = nullptr;
    TextureName Texture = 0;
    int TextureWidth = 0;
    int TextureHeight = 0;
    // The viewport the scene was copied from, in device pixels.
    GLint Viewport[4] = {0, 0, 0, 0};
    bool Valid = false;
};

KeptScene Kept;

// Power-of-two sides, which every OpenGL 1.1 implementation can texture.
int TextureSide(int pixels) {
    int side = 64;
    while (side < pixels)
        side *= 2;
    return side;
}

void PrepareTexture(int width, int height) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (Kept.Context != context) {
        Kept = KeptScene{};
        Kept.Context = context;
    }
    const int texW = TextureSide(width);
    const int texH = TextureSide(height);
    if (Kept.Texture != 0 && texW == Kept.TextureWidth && texH == Kept.TextureHeight) return;
    if (Kept.Texture == 0) glGenTextures(1, &Kept.Texture);
    glBindTexture(GL_TEXTURE_2D, Kept.Texture);
    // One texel per device pixel, drawn back in place: nearest sampling
    // gives the pixels back unchanged.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texW, texH, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    Kept.TextureWidth = texW;
    Kept.TextureHeight = texH;
}

// Drops the errors of earlier calls, so that the copy's own can be told.
void ClearGlErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

bool SameViewport(const GLint viewport[4]) {
    for (int i = 0; i < 4; ++i)
        if (viewport[i] != Kept.Viewport[i]) return false;
    return true;
}

} // namespace

void KeepComposedScene() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0 || viewport[3] <= 0) return;
    PrepareTexture(viewport[2], viewport[3]);
    glBindTexture(GL_TEXTURE_2D, Kept.Texture);
    ClearGlErrors();
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, viewport[0], viewport[1], viewport[2], viewport[3]);
    std::copy(viewport, viewport + 4, Kept.Viewport);
    // A framebuffer that cannot be copied (a multisampled one, say) keeps no
    // scene, and animation frames then compose the whole scene.
    Kept.Valid = glGetError() == GL_NO_ERROR;
}

bool DrawKeptScene() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (!Kept.Valid || Kept.Context != QOpenGLContext::currentContext() || !SameViewport(viewport))
        return false;
    const float uMax = float(viewport[2]) / Kept.TextureWidth;
    const float vMax = float(viewport[3]) / Kept.TextureHeight;
    glBindTexture(GL_TEXTURE_2D, Kept.Texture);
    // The copy holds the framebuffer's rows bottom first: its top row is the
    // canvas's top edge at vMax.
    glBegin(GL_QUADS);
    glColor4ub(255, 255, 255, 255);
    glTexCoord2f(0, vMax);
    glVertex2f(0, 0);
    glTexCoord2f(uMax, vMax);
    glVertex2f(ViewWidth, 0);
    glTexCoord2f(uMax, 0);
    glVertex2f(ViewWidth, ViewHeight);
    glTexCoord2f(0, 0);
    glVertex2f(0, ViewHeight);
    glEnd();
    return true;
}

void ForgetKeptScene() {
    Kept.Valid = false;
}

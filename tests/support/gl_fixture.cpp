#include "tests/support/gl_fixture.h"

#include <GL/gl.h>

#include "render/gl_canvas.h"

void GlFixture::SetUp() {
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->create();
    context_ = std::make_unique<QOpenGLContext>();
    ASSERT_TRUE(context_->create());
    ASSERT_TRUE(context_->makeCurrent(surface_.get()));
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(Width, Height, format);
    ASSERT_TRUE(fbo_->bind());
    glViewport(0, 0, Width, Height);
    ResetSceneState();
    SetProjection(Width, Height);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlFixture::TearDown() {
    if (context_ && context_->isValid()) {
        context_->makeCurrent(surface_.get());
        fbo_.reset();
        context_->doneCurrent();
    }
}

std::array<uint8_t, 4> GlFixture::Pixel(int x, int y) const {
    std::array<uint8_t, 4> rgba{};
    glFinish();
    // Framebuffer rows count from the bottom; canvas rows from the top.
    glReadPixels(x, Height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

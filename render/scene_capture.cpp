#include "render/scene_capture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <cstring>

#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "scene/scene_state.h"

namespace {

// The scene values a capture changes, put back when it ends, whatever way it
// ends, together with the GL state the canvas's frames rely on: the canvas
// shows nothing of the capture, not even a lost hover outline.
class CaptureState {
  public:
    CaptureState(int width, int height)
        : zoom_(Zoom), viewWidth_(ViewWidth), viewHeight_(ViewHeight), hoverLayer_(HoverLayer),
          capturing_(Capturing) {
        glGetIntegerv(GL_VIEWPORT, viewport_);
        Zoom = 1;
        ViewWidth = width;
        ViewHeight = height;
        Capturing = true;
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        // Canvas row 0 at the framebuffer's bottom row, which glReadPixels
        // returns first: the picture comes back top row first, unflipped.
        gluOrtho2D(0, width, 0, height);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~CaptureState() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
        Zoom = zoom_;
        ViewWidth = viewWidth_;
        ViewHeight = viewHeight_;
        HoverLayer = hoverLayer_;
        Capturing = capturing_;
    }
    CaptureState(const CaptureState&) = delete;
    CaptureState& operator=(const CaptureState&) = delete;

  private:
    float zoom_;
    int32_t viewWidth_;
    int32_t viewHeight_;
    int32_t hoverLayer_;
    bool capturing_;
    GLint viewport_[4] = {};
};

// Framebuffer rows read back at a time: a strip this small is still in the
// cache when its pixels are narrowed into the picture.
constexpr int ReadStripRows = 32;

// RGBA pixels to RGB ones, the alpha dropped.
void NarrowRow(const uint8_t* from, uint8_t* to, int width) {
    for (int x = 0; x < width; ++x, from += 4, to += 3)
        std::memcpy(to, from, 3);
}

// The bound framebuffer into an RGB picture of its size, in the GL's row
// order. The GL copies its RGBA rows as they stand, where it converts pixel
// by pixel into RGB, which used to cost more than narrowing them here.
void ReadRgbPixels(Picture& picture) {
    const int width = picture.Width;
    std::vector<uint8_t> strip(size_t(width) * ReadStripRows * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int y = 0; y < picture.Height; y += ReadStripRows) {
        const int rows = std::min(ReadStripRows, picture.Height - y);
        glReadPixels(0, y, width, rows, GL_RGBA, GL_UNSIGNED_BYTE, strip.data());
        for (int r = 0; r < rows; ++r)
            NarrowRow(strip.data() + size_t(r) * width * 4,
                      picture.Pixels.data() + size_t(y + r) * picture.RowBytes(), width);
    }
}

} // namespace

bool CaptureComposedPicture(Picture& out) {
    const int width = PhotoWidth;
    const int height = PhotoHeight;
    if (width <= 0 || height <= 0 || !QOpenGLContext::currentContext()) return false;
    // Errors left over from earlier drawing must not fail this capture.
    while (glGetError() != GL_NO_ERROR) {
    }
    // The stencil clips the tattoos to the selection, as on the canvas.
    QOpenGLFramebufferObject target(width, height, QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!target.isValid() || !target.bind()) return false;
    Picture picture{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
    {
        const CaptureState state(width, height);
        ClearFrame();
        DrawComposedScene(0, 0);
        // Every frame starts with blending off.
        glDisable(GL_BLEND);
        ReadRgbPixels(picture);
    }
    target.release();
    if (glGetError() != GL_NO_ERROR) return false;
    out = std::move(picture);
    return true;
}

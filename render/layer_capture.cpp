#include "render/layer_capture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <cmath>

#include "render/layer_mesh.h"
#include "scene/scene_state.h"

namespace {

constexpr uint8_t Untinted = 255;

struct Box {
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
    int Width() const { return X1 - X0; }
    int Height() const { return Y1 - Y0; }
};

// The corners' bounding box in whole photo pixels, cut to the photo.
Box LayerBox(const TTattooLayer& layer) {
    float minX = layer.Corners[0].X, maxX = minX;
    float minY = layer.Corners[0].Y, maxY = minY;
    for (const TLayerCorner& corner : layer.Corners) {
        minX = std::min(minX, corner.X);
        maxX = std::max(maxX, corner.X);
        minY = std::min(minY, corner.Y);
        maxY = std::max(maxY, corner.Y);
    }
    const auto clampX = [](float v) { return int(std::clamp(v, 0.0f, float(PhotoWidth))); };
    const auto clampY = [](float v) { return int(std::clamp(v, 0.0f, float(PhotoHeight))); };
    return {clampX(std::floor(minX)), clampY(std::floor(minY)), clampX(std::ceil(maxX)),
            clampY(std::ceil(maxY))};
}

// The view values the mesh is drawn with, and the GL state the canvas's
// frames rely on, put back however the capture ends.
class LayerCaptureState {
  public:
    explicit LayerCaptureState(const Box& box)
        : zoom_(Zoom), viewWidth_(ViewWidth), viewHeight_(ViewHeight) {
        glGetIntegerv(GL_VIEWPORT, viewport_);
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear_);
        Zoom = 1;
        ViewWidth = PhotoWidth;
        ViewHeight = PhotoHeight;
        glViewport(0, 0, box.Width(), box.Height());
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        // Photo row Y0 at the framebuffer's bottom row, which glReadPixels
        // returns first: the picture comes back top row first.
        gluOrtho2D(box.X0, box.X1, box.Y0, box.Y1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
    }
    ~LayerCaptureState() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
        glClearColor(clear_[0], clear_[1], clear_[2], clear_[3]);
        Zoom = zoom_;
        ViewWidth = viewWidth_;
        ViewHeight = viewHeight_;
    }
    LayerCaptureState(const LayerCaptureState&) = delete;
    LayerCaptureState& operator=(const LayerCaptureState&) = delete;

  private:
    float zoom_;
    int32_t viewWidth_;
    int32_t viewHeight_;
    GLint viewport_[4] = {};
    GLfloat clear_[4] = {};
};

} // namespace

bool CaptureTattooLayer(int layer, LayerPicture& out) {
    if (layer < 0 || layer >= int(Layers.size()) || !QOpenGLContext::currentContext()) return false;
    const TTattooLayer& tattoo = Layers[size_t(layer)];
    const Box box = LayerBox(tattoo);
    if (box.Width() <= 0 || box.Height() <= 0) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    QOpenGLFramebufferObject target(box.Width(), box.Height());
    if (!target.isValid() || !target.bind()) return false;
    Picture picture{box.Width(), box.Height(), 4, {}};
    picture.Pixels.resize(size_t(picture.RowBytes()) * size_t(picture.Height));
    {
        const LayerCaptureState state(box);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        DrawLayerMesh(tattoo.Texture, tattoo.Corners, tattoo.Alpha, Untinted, Untinted, Untinted, 0,
                      0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, box.Width(), box.Height(), GL_RGBA, GL_UNSIGNED_BYTE,
                     picture.Pixels.data());
    }
    target.release();
    if (glGetError() != GL_NO_ERROR) return false;
    out = {box.X0, box.Y0, std::move(picture)};
    return true;
}

bool ReadDesignTexture(TextureName texture, Picture& out) {
    if (texture == 0 || !QOpenGLContext::currentContext()) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return false;
    std::vector<uint8_t> rows(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    if (glGetError() != GL_NO_ERROR) return false;
    Picture picture{width, height, 4, std::vector<uint8_t>(rows.size())};
    const size_t stride = size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(rows.data() + stride * size_t(height - 1 - y), stride,
                    picture.Pixels.data() + stride * size_t(y));
    out = std::move(picture);
    return true;
}

#include "render/gl_canvas.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/canvas_context.h"

namespace {

// Remembered so that the canvas widget's context, made after the main window
// chose the colour, clears with it too.
float ClearColor[4] = {0, 0, 0, 0};

void SetTextureParameters(bool mipmapped) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mipmapped ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
}

void DefineTextureImage(const Picture& picture, const std::vector<uint8_t>& bytes, bool mipmapped) {
    const GLenum format = picture.HasAlpha() ? GL_RGBA : GL_RGB;
    const GLint components = picture.HasAlpha() ? 4 : 3;
    // RGB rows of odd widths are not a multiple of four bytes long.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmapped) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, picture.Width, picture.Height, format,
                          GL_UNSIGNED_BYTE, bytes.data());
        return;
    }
    // Textures without mipmaps (the photo tiles) are sampled nearest and never
    // read a level other than 0, so building the rest would only cost time at
    // every photo load.
    glTexImage2D(GL_TEXTURE_2D, 0, components, picture.Width, picture.Height, 0, format,
                 GL_UNSIGNED_BYTE, bytes.data());
}

void EmitVertex(const CanvasPoint& p) {
    glVertex2f(p.X, p.Y);
}

} // namespace

int32_t CreateCanvasContext(int32_t width, int32_t height, QOpenGLWidget* window) {
    const int32_t result = OpenCanvasContext(window);
    if (result != 0) return result;
    SetProjection(width, height);
    glEnable(GL_TEXTURE_2D);
    return 0;
}

void SetProjection(int32_t width, int32_t height) {
    ViewWidth = width;
    ViewHeight = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, ViewWidth, ViewHeight, 0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void PrepareFrameContext(int32_t width, int32_t height) {
    SetProjection(width, height);
    glEnable(GL_TEXTURE_2D);
    glClearColor(ClearColor[0], ClearColor[1], ClearColor[2], ClearColor[3]);
}

void ClearFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void SetClearColor(float red, float green, float blue, float alpha) {
    ClearColor[0] = red;
    ClearColor[1] = green;
    ClearColor[2] = blue;
    ClearColor[3] = alpha;
    glClearColor(red, green, blue, alpha);
}

void PresentFrame() {
    // The canvas widget draws into a framebuffer of its own and composes it
    // into the window as soon as its paint routine returns: that composition
    // is the buffer swap, so all that is left here is the flush.
    glFlush();
}

int DevicePixels(int logical, double ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

std::array<CanvasPoint, 4> RotatedRectCorners(float angle, float width, float height, float x,
                                              float y) {
    const float a = angle - 3 * std::numbers::pi_v<float> / 4;
    const float s = std::numbers::sqrt2_v<float> * std::sin(a);
    const float c = std::numbers::sqrt2_v<float> * std::cos(a);
    const float hw = width / 2;
    const float hh = height / 2;
    return {{{x - hw * s, y + hh * c},
             {x + hw * c, y + hh * s},
             {x + hw * s, y - hh * c},
             {x - hw * c, y - hh * s}}};
}

void DrawRotatedRect(uint8_t red, uint8_t green, uint8_t blue, bool filled, uint8_t alpha,
                     float angle, float width, float height, float x, float y) {
    glPushMatrix();
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    for (const CanvasPoint& p : RotatedRectCorners(angle, width, height, x, y))
        EmitVertex(p);
    glEnd();
    if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopMatrix();
}

void DrawTexturedRotatedRect(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue, float angle,
                             float width, float height, float x, float y) {
    static constexpr float texCoords[4][2] = {{1, 1}, {0, 1}, {0, 0}, {1, 0}};
    const bool blended = alpha != 255;
    if (blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glPushMatrix();
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    const auto corners = RotatedRectCorners(angle, width, height, x, y);
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(texCoords[k][0], texCoords[k][1]);
        EmitVertex(corners[k]);
    }
    glEnd();
    glPopMatrix();
    if (blended) glDisable(GL_BLEND);
}

void DrawTexturedQuad(TextureName texture, uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue,
                      float x, float y, float width, float height, float uMax, float vMax) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    glTexCoord2f(0, vMax);
    glVertex2f(x, y + height);
    glTexCoord2f(uMax, vMax);
    glVertex2f(x + width, y + height);
    glTexCoord2f(uMax, 0);
    glVertex2f(x + width, y);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glEnd();
    glPopMatrix();
}

std::vector<uint8_t> TextureBytes(const Picture& picture) {
    if (picture.Channels != 3 && picture.Channels != 4) return {};
    if (picture.Width <= 0 || picture.Height <= 0) return {};
    const size_t rowBytes = static_cast<size_t>(picture.RowBytes());
    const size_t height = static_cast<size_t>(picture.Height);
    if (picture.Pixels.size() != rowBytes * height) return {};
    if (!picture.HasAlpha()) return picture.Pixels;
    // Alpha textures hold the picture bottom row first, so that t grows
    // upwards on the canvas like the tattoo corners' V.
    std::vector<uint8_t> bytes(picture.Pixels.size());
    for (size_t b = 0; b < height; ++b)
        std::memcpy(&bytes[(height - 1 - b) * rowBytes], &picture.Pixels[b * rowBytes], rowBytes);
    return bytes;
}

TextureName UploadTexture(int32_t count, const Picture& picture, bool mipmapped) {
    MakeCanvasCurrent();
    std::vector<TextureName> names(static_cast<size_t>(std::max(count, 1)));
    glGenTextures(static_cast<GLsizei>(names.size()), names.data());
    glBindTexture(GL_TEXTURE_2D, names[0]);
    SetTextureParameters(mipmapped);
    const std::vector<uint8_t> bytes = TextureBytes(picture);
    if (!bytes.empty()) DefineTextureImage(picture, bytes, mipmapped);
    return names[0];
}

void CreatePaintTileTextures() {
    MakeCanvasCurrent();
    for (int column = 1; column <= PaintTileCount; ++column) {
        for (int row = 1; row <= PaintTileCount; ++row) {
            TPaintTile& tile = PaintTiles[column][row];
            glGenTextures(1, &tile.Texture);
            glBindTexture(GL_TEXTURE_2D, tile.Texture);
            SetTextureParameters(false);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, PaintTileSize, PaintTileSize, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, PaintPixels[column][row].Data);
        }
    }
}

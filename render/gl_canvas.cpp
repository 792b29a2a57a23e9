#include "render/gl_canvas.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <bit>
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

// Rows widened to RGBA per glTexSubImage2D call: a strip this small is still
// in the cache when the GL copies it into the texture.
constexpr int TileStripRows = 32;

bool PixelsMatchSize(const Picture& picture) {
    if (picture.Channels != 3 && picture.Channels != 4) return false;
    if (picture.Width <= 0 || picture.Height <= 0) return false;
    return picture.Pixels.size() == size_t(picture.RowBytes()) * size_t(picture.Height);
}

void DefineTextureImage(const Picture& picture, const uint8_t* bytes, bool mipmapped) {
    const GLenum format = picture.HasAlpha() ? GL_RGBA : GL_RGB;
    const GLint components = picture.HasAlpha() ? 4 : 3;
    // RGB rows of odd widths are not a multiple of four bytes long.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmapped) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, picture.Width, picture.Height, format,
                          GL_UNSIGNED_BYTE, bytes);
        return;
    }
    // Textures without mipmaps (the photo tiles) are sampled nearest and never
    // read a level other than 0, so building the rest would only cost time at
    // every photo load.
    glTexImage2D(GL_TEXTURE_2D, 0, components, picture.Width, picture.Height, 0, format,
                 GL_UNSIGNED_BYTE, bytes);
}

// RGB pixels to RGBA ones with opaque alpha, four at a time where at least one
// more pixel follows in the row: each pixel is then read as a 32-bit word,
// whose last byte (the next pixel's) is replaced by the alpha.
void WidenRow(const uint8_t* from, uint8_t* to, int width) {
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 4 < width; x += 4, from += 12, to += 16) {
            uint64_t first, second;
            std::memcpy(&first, from, 8);
            std::memcpy(&second, from + 6, 8);
            const uint64_t opaque = 0xFF000000FF000000u;
            const uint64_t low = ((first & 0xFFFFFFu) | (first >> 24 << 32)) | opaque;
            const uint64_t high = ((second & 0xFFFFFFu) | (second >> 24 << 32)) | opaque;
            std::memcpy(to, &low, 8);
            std::memcpy(to + 8, &high, 8);
        }
    }
    for (; x < width; ++x, from += 3, to += 4) {
        std::memcpy(to, from, 3);
        to[3] = 255;
    }
}

// Sends the picture's width x height pixels from (left, top) into the bound
// texture's top-left corner as RGBA: the GL keeps RGB textures four bytes a
// texel, and rows already in that layout are copied as they stand instead of
// being converted texel by texel, which used to take most of a photo load.
void SendTileRows(const Picture& picture, int left, int top, int width, int height) {
    std::vector<uint8_t> strip(size_t(width) * TileStripRows * 4);
    const size_t rowBytes = size_t(picture.RowBytes());
    for (int y = 0; y < height; y += TileStripRows) {
        const int rows = std::min(TileStripRows, height - y);
        for (int r = 0; r < rows; ++r) {
            const uint8_t* from = picture.Pixels.data() + size_t(top + y + r) * rowBytes +
                                  size_t(left) * picture.Channels;
            uint8_t* to = strip.data() + size_t(r) * width * 4;
            if (picture.HasAlpha())
                std::memcpy(to, from, size_t(width) * 4);
            else
                WidenRow(from, to, width);
        }
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, width, rows, GL_RGBA, GL_UNSIGNED_BYTE,
                        strip.data());
    }
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
    if (!PixelsMatchSize(picture)) return {};
    if (!picture.HasAlpha()) return picture.Pixels;
    // Alpha textures hold the picture bottom row first, so that t grows
    // upwards on the canvas like the tattoo corners' V.
    const size_t rowBytes = size_t(picture.RowBytes());
    const size_t height = size_t(picture.Height);
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
    if (!PixelsMatchSize(picture)) return names[0];
    // RGB pictures are already in texture order: no copy for them.
    if (!picture.HasAlpha()) {
        DefineTextureImage(picture, picture.Pixels.data(), mipmapped);
        return names[0];
    }
    const std::vector<uint8_t> flipped = TextureBytes(picture);
    DefineTextureImage(picture, flipped.data(), mipmapped);
    return names[0];
}

TextureName UploadTextureTile(const Picture& picture, int left, int top, int size) {
    MakeCanvasCurrent();
    TextureName name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    SetTextureParameters(false);
    const int width = std::clamp(picture.Width - left, 0, size);
    const int height = std::clamp(picture.Height - top, 0, size);
    if (left < 0 || top < 0 || width == 0 || height == 0 || !PixelsMatchSize(picture)) {
        static constexpr uint8_t black[4] = {0, 0, 0, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, black);
        return name;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    SendTileRows(picture, left, top, width, height);
    return name;
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

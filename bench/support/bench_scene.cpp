#include "bench/support/bench_scene.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "render/canvas_cursor.h"
#include "render/gl_canvas.h"
#include "scene/geometry.h"
#include "scene/scene_state.h"

OffscreenCanvas::OffscreenCanvas(int width, int height) {
    surface.create();
    context.create();
    context.makeCurrent(&surface);
    target = std::make_unique<QOpenGLFramebufferObject>(
        width, height, QOpenGLFramebufferObject::CombinedDepthStencil);
    target->bind();
    glViewport(0, 0, width, height);
    PrepareFrameContext(width, height);
}

namespace {

Picture PatternPicture(int width, int height, int channels, uint8_t seed) {
    Picture picture{width, height, channels, std::vector<uint8_t>(width * height * channels)};
    for (size_t i = 0; i < picture.Pixels.size(); ++i)
        picture.Pixels[i] = static_cast<uint8_t>(i * 7 + seed);
    return picture;
}

void LoadPhoto() {
    for (int column = 0; column < PhotoTileCount; ++column)
        for (int row = 0; row < PhotoTileCount; ++row)
            PhotoTiles[column][row] =
                UploadTexture(1, PatternPicture(512, 512, 3, uint8_t(column * 5 + row)), false);
    ImageWidth = PhotoWidth = ImageHeight = PhotoHeight = 2048;
    Zoom = FitZoom(PhotoWidth, PhotoHeight, ViewWidth, ViewHeight);
}

void PlaceLayers(int count) {
    TextureName designs[5];
    for (int d = 0; d < 5; ++d)
        designs[d] = UploadTexture(1, PatternPicture(512, 512, 4, uint8_t(d * 40)), true);
    for (int i = 0; i < count; ++i) {
        TTattooLayer& layer = Layers[AddLayer()];
        // Spread over the whole photo (layer space), all of them on the canvas.
        const float x = 150.0f + (i % 10) * 195;
        const float y = 200.0f + (i / 10) * 400;
        layer = {true, designs[i % 5], 0, i, static_cast<uint8_t>(200 + i), {}};
        layer.Corners[0] = {x - 150, y + 150, 0.25f, 0.25f};
        layer.Corners[1] = {x + 150, y + 150, 0.75f, 0.25f};
        layer.Corners[2] = {x + 150, y - 150, 0.75f, 0.75f};
        layer.Corners[3] = {x - 150, y - 150, 0.25f, 0.75f};
    }
}

void PaintEverything() {
    for (int column = 1; column <= PaintTileCount; ++column)
        for (int row = 1; row <= PaintTileCount; ++row) {
            uint8_t* data = PaintPixels[column][row].Data;
            for (int i = 0; i < PaintTileBytes; i += 4) {
                data[i] = 200;
                data[i + 3] = 90;
            }
        }
}

} // namespace

void MarkAllPaintTilesDirty() {
    for (int column = 1; column <= PaintTileCount; ++column)
        for (int row = 1; row <= PaintTileCount; ++row)
            PaintTiles[column][row].Dirty = true;
}

// The scene common to every case: background, cursors, pointer over the canvas.
void PrepareScene(int width, int height) {
    ResetSceneState();
    SetProjection(width, height);
    BackgroundTexture = UploadTexture(1, PatternPicture(512, 512, 3, 1), true);
    const TextureName cursor = UploadTexture(1, PatternPicture(24, 23, 4, 2), true);
    for (TextureName& texture : CursorTextures)
        texture = cursor;
    CreatePaintTileTextures();
    MouseInCanvas = true;
    MouseX = 200;
    MouseY = 250;
}

void PrepareFullScene(bool painted, int width, int height) {
    PrepareScene(width, height);
    LoadPhoto();
    PlaceLayers(50);
    if (painted) PaintEverything();
    MarkAllPaintTilesDirty();
}

Picture SkinPicture(int width, int height, int channels, int seed) {
    Picture picture{width, height, channels,
                    std::vector<uint8_t>(size_t(width) * height * channels)};
    uint32_t noise = uint32_t(seed) * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 29) - 4;
            const double shade =
                0.75 + 0.25 * std::sin((x + seed * 37) / 90.0) * std::cos(y / 130.0);
            uint8_t* p = &picture.Pixels[(size_t(y) * width + x) * channels];
            p[0] = uint8_t(std::clamp(int(220 * shade) + grain, 0, 255));
            p[1] = uint8_t(std::clamp(int(170 * shade) + grain, 0, 255));
            p[2] = uint8_t(std::clamp(int(140 * shade) + grain, 0, 255));
            if (channels == 4) p[3] = uint8_t((x / 8 + y / 8) % 2 ? 255 : 0);
        }
    return picture;
}

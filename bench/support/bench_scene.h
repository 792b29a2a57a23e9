#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <memory>

#include "scene/picture.h"
#include "scene/scene_state.h"

// The canvas drawn into an offscreen framebuffer of the panel's size (or of
// the full view's), with the canvas projection, current for as long as it
// lives.
struct OffscreenCanvas {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> target;

    explicit OffscreenCanvas(int width = CanvasWidth, int height = CanvasHeight);
};

// The full view on a 1920 x 1080 screen, the size its frames are measured at.
constexpr int FullViewWidth = 1920;
constexpr int FullViewHeight = 1080;

// The scene common to every drawing benchmark: background, cursors, paint
// tile textures, the pointer over the canvas of this size.
void PrepareScene(int width = CanvasWidth, int height = CanvasHeight);

// PrepareScene with the heaviest steady scene on top: a 2048 x 2048 photo
// fitted to the canvas, 50 tattoo layers spread over it and, when `painted`,
// a fully painted paint layer. The paint tiles are marked dirty, so the first
// frame uploads them.
void PrepareFullScene(bool painted = true, int width = CanvasWidth, int height = CanvasHeight);

void MarkAllPaintTilesDirty();

// Smooth shading with a little grain, like skin on a photo, so that encoders
// and decoders meet the kind of content they meet in use; with four channels
// the alpha is a checkerboard of 8-pixel squares.
Picture SkinPicture(int width, int height, int channels, int seed);

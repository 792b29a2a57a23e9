#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <memory>

// The canvas drawn into an offscreen framebuffer of the panel's size, with
// the canvas projection, current for as long as it lives.
struct OffscreenCanvas {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> target;

    OffscreenCanvas();
};

// The scene common to every drawing benchmark: background, cursors, paint
// tile textures, the pointer over the canvas.
void PrepareScene();

// PrepareScene with the heaviest steady scene on top: a 2048 x 2048 photo
// fitted to the canvas, 50 tattoo layers spread over it and, when `painted`,
// a fully painted paint layer. The paint tiles are marked dirty, so the first
// frame uploads them.
void PrepareFullScene(bool painted = true);

void MarkAllPaintTilesDirty();

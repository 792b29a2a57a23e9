#pragma once

// The composed scene (background, photo, tattoo layers with their outlines,
// paint layer) kept in a texture while it does not change. A frame that only
// animates the marks over the scene (the pulsing corner handles, the
// selection outline) draws the kept scene instead of composing it again:
// on a software renderer that is the difference between a few per cent of a
// core and more than a whole one.

// Copies what the current framebuffer shows in its viewport into the kept
// scene's texture.
void KeepComposedScene();

// Draws the kept scene over the whole canvas; false, drawing nothing, when no
// scene is kept for the current context and viewport.
bool DrawKeptScene();

// The scene has changed: the next frame composes it again.
void ForgetKeptScene();

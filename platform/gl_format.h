#pragma once

#include <QSurfaceFormat>

// The canvas draws with the fixed-function pipeline, so every OpenGL surface of
// the program must ask for a compatibility context. Must run before the
// QApplication exists.
void UseCanvasSurfaceFormat();

// The format every canvas surface asks for: the pixel format of the canvas
// (24-bit colour, 16-bit depth, double-buffered) on a compatibility context.
QSurfaceFormat CanvasSurfaceFormat();

#pragma once

// The canvas draws with the fixed-function pipeline, so every OpenGL surface of
// the program must ask for a compatibility context. Must run before the
// QApplication exists.
void UseCanvasSurfaceFormat();

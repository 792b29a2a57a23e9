#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <cstdint>
#include <memory>

class QOpenGLWidget;

// The program's own OpenGL context. The canvas widget draws every frame with
// the context Qt gives it, but the pictures (cursors, tattoos, photo tiles,
// paint tiles) are uploaded while the main window is being built, long before
// the widget is shown and has a context. So the program keeps one context of
// its own, current on an offscreen surface, in the application's shared group:
// everything uploaded through it is visible to the widget's frames.

// The failure result of the context routines; 0 is success.
constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005u);

extern QOpenGLWidget* CanvasWindow;                 // the canvas panel
extern std::unique_ptr<QOffscreenSurface> CanvasDC; // the surface the context draws on
extern std::unique_ptr<QOpenGLContext> CanvasRC;    // the one context of the program

// Asks the surface for the canvas's pixel format (double-buffered 8-bit RGB,
// 16-bit depth, fixed-function drawing) and creates it. 0 or E_FAIL.
int32_t SetupPixelFormat(QOffscreenSurface& surface);

// Obtains the surface, sets its pixel format, creates CanvasRC in the shared
// group and makes it current, then remembers the window. Stops at the first
// failing step with E_FAIL; earlier steps are not undone.
int32_t OpenCanvasContext(QOpenGLWidget* window);

// Makes CanvasRC current again unless it or the canvas widget's own context
// already is: the widget leaves its context current after each frame, and Qt
// may leave others current, so uploads outside a frame call this first.
void MakeCanvasCurrent();

// Makes no context current, deletes CanvasRC and then gives the surface back.
void ReleaseCanvasContext();

#include "platform/canvas_context.h"

#include <QOpenGLWidget>

#include "platform/gl_format.h"

QOpenGLWidget* CanvasWindow = nullptr;
std::unique_ptr<QOffscreenSurface> CanvasDC;
std::unique_ptr<QOpenGLContext> CanvasRC;

int32_t SetupPixelFormat(QOffscreenSurface& surface) {
    surface.setFormat(CanvasSurfaceFormat());
    surface.create();
    return surface.isValid() ? 0 : E_FAIL;
}

int32_t OpenCanvasContext(QOpenGLWidget* window) {
    if (!window) return E_FAIL;
    CanvasDC = std::make_unique<QOffscreenSurface>(window->screen());
    if (SetupPixelFormat(*CanvasDC) != 0) return E_FAIL;
    // Without the application's shared group the widget could not see a single
    // texture made here, so a context outside it is as good as none.
    QOpenGLContext* group = QOpenGLContext::globalShareContext();
    if (!group) return E_FAIL;
    CanvasRC = std::make_unique<QOpenGLContext>();
    CanvasRC->setFormat(CanvasDC->format());
    CanvasRC->setShareContext(group);
    if (!CanvasRC->create() || !CanvasRC->makeCurrent(CanvasDC.get())) return E_FAIL;
    // A core profile accepts none of the immediate-mode calls the canvas uses.
    if (CanvasRC->format().profile() == QSurfaceFormat::CoreProfile) return E_FAIL;
    CanvasWindow = window;
    return 0;
}

void MakeCanvasCurrent() {
    if (!CanvasRC || !CanvasRC->isValid()) return;
    const QOpenGLContext* current = QOpenGLContext::currentContext();
    if (current == CanvasRC.get() || (CanvasWindow && current == CanvasWindow->context())) return;
    CanvasRC->makeCurrent(CanvasDC.get());
}

void ReleaseCanvasContext() {
    if (CanvasRC) CanvasRC->doneCurrent();
    CanvasRC.reset();
    CanvasDC.reset();
    CanvasWindow = nullptr;
}

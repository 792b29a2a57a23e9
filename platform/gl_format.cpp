#include "platform/gl_format.h"

#include <QCoreApplication>
#include <QSurfaceFormat>

QSurfaceFormat CanvasSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    // Without this option a driver may hand out a core context, which draws
    // nothing of the immediate-mode calls the canvas is made of.
    format.setOption(QSurfaceFormat::DeprecatedFunctions);
    format.setDepthBufferSize(16);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

void UseCanvasSurfaceFormat() {
    QSurfaceFormat::setDefaultFormat(CanvasSurfaceFormat());
    // Textures are made in the program's own context before the canvas widget
    // has one; a shared group lets the widget's frames use them.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

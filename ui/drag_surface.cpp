#include "ui/drag_surface.h"

#include <QMouseEvent>

DragSurface::DragSurface(QWidget* parent) : QWidget(parent) {
    // The background hears the pointer without a button held, to reset the
    // buttons' hover pictures.
    setMouseTracking(true);
}

QPoint DragSurface::ClientPoint(const QMouseEvent* event) const {
    return window()->mapFromGlobal(event->globalPosition().toPoint());
}

void DragSurface::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(ClientPoint(event));
}

void DragSurface::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(ClientPoint(event));
}

void DragSurface::mouseReleaseEvent(QMouseEvent*) {
    if (OnMouseUp) OnMouseUp();
}

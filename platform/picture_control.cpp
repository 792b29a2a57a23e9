#include "platform/picture_control.h"

#include <QMouseEvent>
#include <QPainter>

PictureControl::PictureControl(QWidget* parent, Fit fit) : QWidget(parent), fit_(fit) {
    // Hover handlers must hear the pointer without a button held.
    setMouseTracking(true);
}

void PictureControl::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureControl::ClearPicture() {
    picture_ = QImage();
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    if (fit_ == Fit::TopLeft) {
        painter.drawImage(0, 0, picture_);
        return;
    }
    QSize size = picture_.size().scaled(this->size(), Qt::KeepAspectRatio);
    QRect target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                 size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    // Only the left button clicks, as on the desktop.
    clickPending_ = event->button() == Qt::LeftButton;
    if (OnMouseDown) OnMouseDown(event->button(), event->position().toPoint());
}

void PictureControl::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(event->position().toPoint());
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(event->button(), event->position().toPoint());
    // A click is a press and release over the same control, as on the desktop.
    const bool click = clickPending_ && rect().contains(event->position().toPoint());
    clickPending_ = false;
    if (OnClick && click) OnClick();
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event) {
    clickPending_ = false;
    if (OnDblClick && event->button() == Qt::LeftButton) OnDblClick();
}

#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

// The window's background as a control of its own: it lies under every other
// control and covers the whole client area, so a press on any free point of
// the window reaches it. It draws nothing; the window's skin shows through.
// Positions are handed on in the window's client coordinates, worked out from
// the pointer's place on the screen, so they stay right while the window is
// being moved under the pointer.
class DragSurface : public QWidget {
  public:
    explicit DragSurface(QWidget* parent);

    std::function<void(QPoint client)> OnMouseDown;
    std::function<void(QPoint client)> OnMouseMove;
    std::function<void()> OnMouseUp;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPoint ClientPoint(const QMouseEvent* event) const;
};

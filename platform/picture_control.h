#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

// A picture control: shows one picture and hands its mouse events to the
// handlers the window assigns. Buttons draw their picture unscaled at the
// top-left corner (clipped to the control); miniatures stretch it
// proportionally and centre it.
class PictureControl : public QWidget {
  public:
    enum class Fit { TopLeft, Proportional };

    explicit PictureControl(QWidget* parent, Fit fit = Fit::TopLeft);

    void SetPicture(const QImage& picture);
    void ClearPicture();
    const QImage& Picture() const { return picture_; }
    bool HasPicture() const { return !picture_.isNull(); }

    // Handlers get the button and the position in the control's own pixels.
    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
    std::function<void(QPoint)> OnMouseMove;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseUp;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
    Fit fit_;
    // Set by a press, cleared by a double click: the release that ends a
    // double click is not a second click.
    bool clickPending_ = false;
};

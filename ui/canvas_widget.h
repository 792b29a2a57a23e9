#pragma once

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <string>

// The shortest time between two frames, in ms: the limit for frames asked
// for by a burst of pointer events, which may come faster than a display
// refreshes.
constexpr int AnimationFrameInterval = 16;

// The interval of the frames drawn while FrameAnimating holds and nothing
// else changes. The pulse needs no more to look smooth (its fastest channel
// takes over 300 ms per cycle), and each frame still costs the window's
// composition on a software renderer.
constexpr int PulseFrameInterval = 60;

// The canvas panel (Panel1). It only hands Qt's events on: its paint routine
// draws one frame, its mouse events go to the canvas handlers, and each
// pointer event asks for the next frame. It is also where frame requests go
// (it registers itself as the frame request hook). The system cursor is
// hidden because every frame draws the tool's cursor picture itself.
class CanvasWidget : public QOpenGLWidget {
  public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    // Asks for the next frame: at once when the last one is at least one
    // frame interval old, otherwise when that interval is over. Requests
    // made meanwhile are merged into that one frame.
    void ScheduleFrame();

    // Draws a requested frame that is not yet due, so that what acts on the
    // layer under the pointer (a press, the Delete key) sees the pointer's
    // latest place.
    void DrawPendingFrame();

    // A double click with the middle button: the gesture that switches
    // between the window and the full view. It is run once the event is
    // over, as it moves the canvas to another window.
    std::function<void()> OnViewToggle;
    // Every frame request, after the change that asked for it: what shows
    // the scene's state beside the canvas follows it without polling.
    std::function<void()> OnFrameRequest;
    // Shows a short text by the pointer, as the hint of what lies under it;
    // nothing for an empty text.
    void ShowHint(const std::string& text);

  protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintGL() override;
    void hideEvent(QHideEvent* event) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // What the events above do; each override only forwards to one of them.
    void DrawFrame();
    void HandleHide(QHideEvent* event);
    void HandleResize(QResizeEvent* event);
    void HandlePress(const QMouseEvent& event);
    void HandleMove(const QMouseEvent& event);
    void HandleRelease(const QMouseEvent& event);
    void HandleDoubleClick(const QMouseEvent& event);
    void HandleWheel(const QWheelEvent& event);
    void HandleLeave(QEvent* event);
    // The hint over the canvas: whether the tattoo under the pointer has the
    // ink look, and none elsewhere.
    bool HandleEvent(QEvent* event);

    // Keeps frames coming while the canvas animates, and stops them after.
    void PaceAnimation();

    // Vertical sync would pace frames drawn back to back on a real screen,
    // but not on every display server, so a timer paces them instead.
    QTimer animation_;
    QTimer pending_;
    QElapsedTimer sinceFrame_;
    // What the next paint must do: an animation tick alone redraws only the
    // animated marks over the kept scene; any request composes it again.
    bool animationTick_ = false;
    bool recompose_ = false;
};

// The canvas pixel under a pointer position given in logical pixels, which
// may be fractional on a high-density screen.
QPoint CanvasPixelAt(QPointF position);

#include "ui/canvas_widget.h"

#include <GL/gl.h>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "content/autosave.h"
#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "scene/frame_request.h"
#include "scene/scene_state.h"
#include "tools/canvas_pointer.h"
#include "tools/ink_look.h"
#include "tools/photo_view.h"

CanvasWidget::CanvasWidget(QWidget* parent) : QOpenGLWidget(parent) {
    setFixedSize(CanvasWidth, CanvasHeight);
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
    // A click on the canvas takes the keyboard focus from the brush-size
    // edit: its blinking caret would otherwise have the whole window composed
    // again twice a second, which is the most an idle editor would cost.
    setFocusPolicy(Qt::ClickFocus);
    animation_.setTimerType(Qt::PreciseTimer);
    animation_.setInterval(PulseFrameInterval);
    connect(&animation_, &QTimer::timeout, this, [this] {
        animationTick_ = true;
        update();
    });
    pending_.setSingleShot(true);
    pending_.setTimerType(Qt::PreciseTimer);
    connect(&pending_, &QTimer::timeout, this, [this] { update(); });
    SetFrameRequestHook([canvas = QPointer<CanvasWidget>(this)] {
        if (canvas) canvas->ScheduleFrame();
    });
}

void CanvasWidget::initializeGL() {
    PrepareFrameContext(width(), height());
}

void CanvasWidget::resizeGL(int w, int h) {
    SetProjection(w, h);
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    HandleResize(event);
}

// The view size follows the widget in logical pixels, before any frame: a
// press right after the resize already picks and paints in the new view.
void CanvasWidget::HandleResize(QResizeEvent* event) {
    ResizeView(width(), height());
    QOpenGLWidget::resizeEvent(event);
}

void CanvasWidget::paintGL() {
    DrawFrame();
}

void CanvasWidget::DrawFrame() {
    // The projection stays in logical pixels; the viewport covers all the
    // device pixels of the widget's framebuffer on a high-density screen.
    const double ratio = devicePixelRatioF();
    glViewport(0, 0, DevicePixels(width(), ratio), DevicePixels(height(), ratio));
    sinceFrame_.start();
    // Paints for other reasons (showing, exposing, grabbing) compose too.
    const bool animationOnly = animationTick_ && !recompose_;
    animationTick_ = recompose_ = false;
    if (animationOnly) {
        AnimationFrame();
    } else {
        // This frame shows every change requested so far.
        pending_.stop();
        Timer1Timer();
        // Every change is followed by a composed frame.
        NoteSceneShown();
    }
    PaceAnimation();
}

void CanvasWidget::ScheduleFrame() {
    if (OnFrameRequest) OnFrameRequest();
    recompose_ = true;
    if (pending_.isActive()) return;
    const qint64 wait = sinceFrame_.isValid() ? AnimationFrameInterval - sinceFrame_.elapsed() : 0;
    if (wait <= 0)
        update();
    else
        pending_.start(static_cast<int>(wait));
}

void CanvasWidget::PaceAnimation() {
    if (!FrameAnimating())
        animation_.stop();
    else if (!animation_.isActive())
        animation_.start();
}

void CanvasWidget::hideEvent(QHideEvent* event) {
    HandleHide(event);
}

void CanvasWidget::HandleHide(QHideEvent* event) {
    animation_.stop();
    pending_.stop();
    QOpenGLWidget::hideEvent(event);
}

// A press acts on the layer the last frame found under the pointer. When the
// pointer moved onto a tattoo and pressed before that move's frame was due,
// the frame is drawn first, so the press never acts on an old pick. The frame
// goes to the widget's framebuffer at once; it reaches the screen with the
// next composition of the window.
void CanvasWidget::DrawPendingFrame() {
    if (!recompose_ || !isValid()) return;
    makeCurrent();
    paintGL();
    doneCurrent();
    update();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    HandlePress(*event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    HandleMove(*event);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    HandleRelease(*event);
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    HandleDoubleClick(*event);
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    HandleWheel(*event);
}

void CanvasWidget::leaveEvent(QEvent* event) {
    HandleLeave(event);
}

void CanvasWidget::HandlePress(const QMouseEvent& event) {
    DrawPendingFrame();
    const QPoint p = CanvasPixelAt(event.position());
    Panel1MouseDown(event.button(), event.buttons(), p.x(), p.y());
    ScheduleFrame();
}

void CanvasWidget::HandleMove(const QMouseEvent& event) {
    const QPoint p = CanvasPixelAt(event.position());
    Panel1MouseMove(event.buttons(), p.x(), p.y());
    ScheduleFrame();
}

void CanvasWidget::HandleRelease(const QMouseEvent& event) {
    const QPoint p = CanvasPixelAt(event.position());
    Panel1MouseUp(event.button(), event.buttons(), p.x(), p.y());
    ScheduleFrame();
}

// A second press within the double-click time arrives here instead of as a
// press; like the first press it still starts the tool after the double
// click has been handled. The middle button only ever holds the photo, and
// its double click switches the view instead of holding it again.
void CanvasWidget::HandleDoubleClick(const QMouseEvent& event) {
    if (event.button() == Qt::MiddleButton && OnViewToggle) {
        QTimer::singleShot(0, this, [toggle = OnViewToggle] { toggle(); });
        return;
    }
    if (event.button() != Qt::MiddleButton) Panel1DblClick();
    HandlePress(event);
}

void CanvasWidget::HandleWheel(const QWheelEvent& event) {
    Panel1MouseWheel(event.modifiers(), event.angleDelta(), CanvasPixelAt(event.position()));
}

void CanvasWidget::HandleLeave(QEvent* event) {
    Panel1MouseLeave();
    ScheduleFrame();
    QOpenGLWidget::leaveEvent(event);
}

bool CanvasWidget::event(QEvent* event) {
    return HandleEvent(event);
}

bool CanvasWidget::HandleEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QOpenGLWidget::event(event);
    const std::string hint = InkLookHint(TattooUnderPointer());
    if (hint.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           QString::fromStdString(hint), this);
    return true;
}

void CanvasWidget::ShowHint(const std::string& text) {
    if (text.empty()) return;
    QToolTip::showText(mapToGlobal(QPoint(MouseX, MouseY)), QString::fromStdString(text), this);
}

QPoint CanvasPixelAt(QPointF position) {
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

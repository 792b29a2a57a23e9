#include "render/frame_request.h"

#include <QPointer>
#include <QWidget>

#include "scene/scene_state.h"

namespace {
QPointer<QWidget> FrameTarget;
}

void RequestFrame() {
    if (FrameTarget) FrameTarget->update();
}

void SetFrameTarget(QWidget* canvas) {
    FrameTarget = canvas;
}

bool FrameAnimating() {
    const bool pulsingHandles = ToolMode == Tool::MovePoints && MouseInCanvas && LastLayer >= 0;
    return pulsingHandles || SelectionLast > 0;
}

#include "render/frame_request.h"

#include <QPointer>

#include "render/canvas_widget.h"

#include "scene/scene_state.h"

namespace {
QPointer<CanvasWidget> FrameTarget;
}

void RequestFrame() {
    if (FrameTarget) FrameTarget->ScheduleFrame();
}

void SetFrameTarget(CanvasWidget* canvas) {
    FrameTarget = canvas;
}

bool FrameAnimating() {
    const bool pulsingHandles = ToolMode == Tool::MovePoints && MouseInCanvas && LastLayer >= 0;
    return pulsingHandles || SelectionLast > 0;
}

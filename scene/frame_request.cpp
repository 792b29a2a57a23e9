#include "scene/frame_request.h"

#include <utility>

#include "scene/scene_state.h"

namespace {
std::function<void()> FrameRequestHook;
}

void RequestFrame() {
    if (FrameRequestHook) FrameRequestHook();
}

void SetFrameRequestHook(std::function<void()> hook) {
    FrameRequestHook = std::move(hook);
}

bool FrameAnimating() {
    const bool pulsingHandles = ToolMode == Tool::MovePoints && MouseInCanvas && LastLayer >= 0;
    return pulsingHandles || SelectionLast > 0;
}

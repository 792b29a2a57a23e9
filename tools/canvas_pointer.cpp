#include "tools/canvas_pointer.h"

#include <algorithm>
#include <cmath>

#include "scene/frame_request.h"
#include "scene/geometry.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/brush_size.h"
#include "tools/paint_layer.h"
#include "tools/photo_view.h"
#include "tools/selection_tool.h"
#include "tools/tattoo_tools.h"

namespace {

// The button whose press started the drag that MouseHeld stands for; only
// its release, or a move without it, ends the drag.
Qt::MouseButton DragButton = Qt::NoButton;

// Near a canvas edge a Move drag scrolls the view by a step per event.
constexpr int32_t AutoScrollBand = 10;
constexpr int32_t AutoScrollStep = 5;

void StartDrag(Qt::MouseButton button) {
    MouseHeld = true;
    DragButton = button;
}

// A drag or stroke is one step from press to release.
void EndDrag() {
    MouseHeld = false;
    DragButton = Qt::NoButton;
    EndStep();
}

bool PhotoPresent() {
    return PhotoWidth >= 1 && PhotoHeight >= 1;
}

// The layer a press or drag acts on, or null when the pointer is over none
// or the layer has gone since the frame that found it.
TTattooLayer* HoveredLayer() {
    if (HoverLayer < 0 || HoverLayer > LastLayer) return nullptr;
    if (HoverLayer >= static_cast<int32_t>(Layers.size())) return nullptr;
    TTattooLayer& layer = Layers[HoverLayer];
    return layer.Visible ? &layer : nullptr;
}

// The paint tools work from the previous pointer position, in zoomed
// photo-space pixels.
int32_t PaintOffsetX() {
    return static_cast<int32_t>(std::trunc(MouseX + PanX - CenterX));
}
int32_t PaintOffsetY() {
    return static_cast<int32_t>(std::trunc(MouseY + PanY - CenterY));
}

bool StartViewOrPaintTool(Qt::MouseButton button) {
    switch (ToolMode) {
    case Tool::Paint:
        BeginStep(StepKind::Paint, StepPart::Stroke);
        PaintAt(PaintOffsetX(), PaintOffsetY());
        break;
    case Tool::Erase:
        BeginStep(StepKind::Erase, StepPart::Stroke);
        EraseAt(PaintOffsetX(), PaintOffsetY());
        break;
    case Tool::PhotoMove:
    case Tool::PhotoZoom:
        break;
    default:
        return false;
    }
    StartDrag(button);
    return true;
}

// Delete and the flips act at the press and hold nothing.
void ActAtPress(TTattooLayer& layer, GrabCentre centre) {
    switch (ToolMode) {
    case Tool::Delete:
        EndDrag();
        DeleteHoveredLayer();
        break;
    case Tool::FlipVertical:
        EndDrag();
        BeginStep(StepKind::Flip, StepPart::Layers);
        FlipCornersAcross(GrabCorners, centre.X, layer.Corners);
        EndStep();
        break;
    case Tool::FlipHorizontal:
        EndDrag();
        BeginStep(StepKind::Flip, StepPart::Layers);
        FlipCornersAlong(GrabCorners, centre.Y, layer.Corners);
        EndStep();
        break;
    default:
        break;
    }
}

// The step a press on a tattoo begins in the tools that drag it.
void BeginDragStep() {
    switch (ToolMode) {
    case Tool::Move:
        return BeginStep(StepKind::Move, StepPart::Layers);
    case Tool::Rotate:
        return BeginStep(StepKind::Rotate, StepPart::Layers);
    case Tool::Scale:
        return BeginStep(StepKind::Scale, StepPart::Layers);
    case Tool::MovePoints:
        return BeginStep(StepKind::MovePoints, StepPart::Layers);
    case Tool::Blend:
        return BeginStep(StepKind::Blend, StepPart::Layers);
    default:
        return;
    }
}

// Keeps the tattoo under the pointer near a canvas edge by scrolling the
// view a step that way and counting the scroll as pointer movement.
void AutoScroll(float& dx, float& dy) {
    const int32_t panX = PanX;
    if (MouseX > ViewWidth - AutoScrollBand) SetScrollPositionX(PanX + AutoScrollStep);
    if (MouseX < AutoScrollBand) SetScrollPositionX(PanX - AutoScrollStep);
    dx += PanX - panX;
    const int32_t panY = PanY;
    if (MouseY > ViewHeight - AutoScrollBand) SetScrollPositionY(PanY + AutoScrollStep);
    if (MouseY < AutoScrollBand) SetScrollPositionY(PanY - AutoScrollStep);
    dy += PanY - panY;
}

// Always from the corners grabbed at the press, so rounding errors do not
// build up over a long drag.
void RotateDrag(TTattooLayer& layer) {
    const ZoomedPoint pointer = ZoomedPointer(MouseX, MouseY);
    const GrabCentre centre = CentreFor(GrabCorners, pointer);
    RotateCorners(GrabCorners, centre, PointerAngle(centre, pointer) - GrabAngle, layer.Corners);
}

void DragLayer(TTattooLayer& layer, uint8_t tool, float dx, float dy) {
    switch (tool) {
    case Tool::Move:
        AutoScroll(dx, dy);
        MoveCorners(layer.Corners, dx, dy);
        break;
    case Tool::Rotate:
        RotateDrag(layer);
        break;
    case Tool::Scale:
        ScaleCorners(layer.Corners, dx, dy);
        break;
    case Tool::MovePoints:
        if (HoverCorner >= 1 && HoverCorner <= 4) {
            layer.Corners[HoverCorner - 1].X += dx / Zoom;
            layer.Corners[HoverCorner - 1].Y += dy / Zoom;
        }
        break;
    case Tool::Blend:
        layer.Alpha = BlendedAlpha(layer.Alpha, dy);
        break;
    default:
        break;
    }
}

// A drag whose step was ended on the way (a command, a tool chosen by its
// key in the middle of it) goes on as a step of its own, so that nothing it
// changes escapes the history.
void KeepDragInStep() {
    const bool painting = ToolMode == Tool::Paint || ToolMode == Tool::Erase;
    if (painting && (OpenStepParts() & StepPart::Stroke) == 0)
        BeginStep(ToolMode == Tool::Paint ? StepKind::Paint : StepKind::Erase, StepPart::Stroke);
    else if (!painting && !StepOpen())
        BeginDragStep();
}

void Drag(Qt::MouseButtons buttons, float dx, float dy) {
    KeepDragInStep();
    switch (ToolMode) {
    case Tool::PhotoMove:
        PhotoMoveDrag(dx, dy);
        return;
    case Tool::PhotoZoom:
        PhotoZoomDrag(dy);
        return;
    case Tool::Paint:
        PaintAt(PaintOffsetX(), PaintOffsetY());
        return;
    case Tool::Erase:
        EraseAt(PaintOffsetX(), PaintOffsetY());
        return;
    default:
        break;
    }
    TTattooLayer* layer = HoveredLayer();
    if (!layer) return;
    const uint8_t tool = buttons.testFlag(Qt::RightButton) ? Tool::Move : ToolMode;
    DragLayer(*layer, tool, dx, dy);
}

// A release that never reached the canvas (it happened in a dialog opened
// mid-drag, or outside the program) shows as a move without the button: the
// drag, or the photo's grab, ends there as the release would have ended it.
void EndLostDrags(Qt::MouseButtons buttons) {
    if (PhotoGrabbed && !buttons.testFlag(Qt::MiddleButton)) PhotoGrabbed = false;
    if (MouseHeld && DragButton != Qt::NoButton && !buttons.testFlag(DragButton)) EndDrag();
}

// The layer under the pointer for the Delete key: the one the last frame
// picked or a drag holds; in MovePoints, whose frames pick only corners, the
// topmost tattoo under the pointer.
int32_t LayerToDelete() {
    if (HoveredLayer()) return HoverLayer;
    if (ToolMode != Tool::MovePoints || MouseHeld) return -1;
    const ZoomedPoint pointer = ZoomedPointer(MouseX, MouseY);
    return TopLayerAt(pointer.X, pointer.Y);
}

// One notch of the wheel: 120 eighths of a degree.
constexpr float WheelNotch = 120;
constexpr float ZoomStepPerNotch = 5;
constexpr float PanPerNotch = 40;

} // namespace

void Panel1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int32_t x, int32_t y) {
    if (!PhotoPresent()) return;
    if (button == Qt::MiddleButton) {
        PhotoGrabbed = true;
        return;
    }
    if (buttons.testFlag(Qt::RightButton)) return;
    if (ToolMode == Tool::Select || ToolMode == Tool::SelectionDone) {
        // The outline's point goes where the press is, even when no move
        // brought the pointer there.
        MouseInCanvas = true;
        MouseX = x;
        MouseY = y;
        PressSelectionTool();
        return;
    }
    if (StartViewOrPaintTool(button)) return;
    TTattooLayer* layer = HoveredLayer();
    if (!layer) return;
    std::copy(std::begin(layer->Corners), std::end(layer->Corners), GrabCorners);
    StartDrag(button);
    BeginDragStep();
    const ZoomedPoint pointer = ZoomedPointer(MouseX, MouseY);
    const GrabCentre centre = CentreFor(GrabCorners, pointer);
    GrabAngle = PointerAngle(centre, pointer);
    ActAtPress(*layer, centre);
}

void Panel1MouseMove(Qt::MouseButtons buttons, int32_t x, int32_t y) {
    MouseInCanvas = true;
    EndLostDrags(buttons);
    ApplyPendingBrushSize();
    if (ToolMode == Tool::Select && PhotoPresent()) MoveSelectionPoint();
    if (PhotoGrabbed)
        PhotoMoveDrag(float(x - MouseX), float(y - MouseY));
    else if (MouseHeld)
        Drag(buttons, float(x - MouseX), float(y - MouseY));
    // Drags measure their movement from the previous position, so it is
    // stored only at the very end.
    MouseX = x;
    MouseY = y;
}

// Another button let go during a drag (the right one, held to move the
// tattoo) leaves the drag going on with its own tool.
void Panel1MouseUp(Qt::MouseButton button, Qt::MouseButtons, int32_t, int32_t) {
    if (button == Qt::MiddleButton) {
        PhotoGrabbed = false;
        return;
    }
    if (button == DragButton || DragButton == Qt::NoButton) EndDrag();
    if (ToolMode == Tool::Select) FixSelectionPoint();
}

void Panel1DblClick() {
    if (ToolMode == Tool::Select) CloseSelectionStep();
}

void EndDragAsRelease() {
    if (MouseHeld) EndDrag();
}

void Panel1MouseLeave() {
    MouseInCanvas = false;
}

void Panel1MouseWheel(Qt::KeyboardModifiers modifiers, QPoint angleDelta, QPoint at) {
    if (!PhotoPresent()) return;
    const float across = angleDelta.x() / WheelNotch;
    const float down = angleDelta.y() / WheelNotch;
    // A wheel turned with Alt or Shift may arrive as a horizontal one.
    const float turn = down != 0 ? down : across;
    if (modifiers.testFlag(Qt::ControlModifier)) {
        if (turn != 0) ZoomAboutPoint(turn > 0, std::fabs(turn) * ZoomStepPerNotch, at.x(), at.y());
    } else if (modifiers.testFlag(Qt::ShiftModifier)) {
        PhotoMoveDrag(turn * PanPerNotch, 0);
    } else {
        PhotoMoveDrag(across * PanPerNotch, down * PanPerNotch);
    }
    RequestFrame();
}

bool DeleteHoveredLayer() {
    if (!MouseInCanvas) return false;
    const int32_t layer = LayerToDelete();
    if (layer < 0) return false;
    // A drag ends with its layer, as a step of its own: the next frame would
    // otherwise hand it to whichever tattoo then lies under the pointer.
    if (ToolMode <= Tool::Blend) EndDrag();
    BeginStep(StepKind::Delete, StepPart::Layers);
    DeleteLayer(layer);
    EndStep();
    HoverLayer = -1;
    RequestFrame();
    return true;
}

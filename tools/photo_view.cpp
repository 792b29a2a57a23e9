#include "tools/photo_view.h"

#include <QLabel>
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/form_controls.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "tools/tattoo_tools.h"

float ZoomStep = 0;
bool PhotoGrabbed = false;

namespace {

constexpr float MaxZoom = 3.0f;
constexpr float MinZoom = 0.21f;
constexpr float ZoomPerStep = 0.02f;
// The zoom tool makes one step of ZoomStep 1 per this many pixels dragged.
constexpr float DragPixelsPerZoomStep = 5;
constexpr float PerCent = 100;

int32_t ClampedPosition(int32_t position, int32_t range) {
    return std::clamp(position, 0, std::max(range, 0));
}

// How far the zoomed extent overflows the view. Computed in double and kept
// within int range: a huge zoom from a wild pointer jump must not overflow.
int32_t Overflow(int32_t shown, int32_t view) {
    const double zoomed = std::trunc(double(shown) * double(Zoom));
    const double over = std::clamp(zoomed - view, 0.0, double(INT_MAX / 2));
    return static_cast<int32_t>(over);
}

void UpdateScrollRange(int32_t shown, int32_t view, int32_t& range, int32_t& position) {
    const int32_t newRange = Overflow(shown, view);
    const int32_t oldRange = range;
    range = newRange;
    position = ClampedPosition(position, newRange);
    position = oldRange == 0
                   ? 0
                   : static_cast<int32_t>(std::trunc(double(position) * newRange / oldRange));
    position = ClampedPosition(position, newRange);
}

void ShowZoom() {
    if (MainControls.ZoomLabel)
        MainControls.ZoomLabel->setText(QString::fromStdString(ZoomCaption(Zoom)));
}

void UpdateScrollRanges() {
    UpdateScrollRangeX();
    UpdateScrollRangeY();
}

void SetShownSize() {
    const bool even = QuarterTurns % 2 == 0;
    PhotoWidth = even ? ImageWidth : ImageHeight;
    PhotoHeight = even ? ImageHeight : ImageWidth;
}

// The offsets the next frame centres the photo with; a press before that
// frame already finds the photo where the view shows it.
void UpdateCentring() {
    CenterX = CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom);
    CenterY = CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom);
}

void QuarterTurn(bool clockwise) {
    BeginStep(StepKind::Turn, StepPart::Layers | StepPart::View);
    QuarterTurns = clockwise ? (QuarterTurns + 1) % 4 : (QuarterTurns + 3) % 4;
    SetShownSize();
    UpdateScrollRanges();
    TurnLayers(clockwise, PhotoWidth, PhotoHeight);
    EndStep();
    RequestFrame();
}

} // namespace

void SetScrollPositionX(int32_t position) {
    PanX = ClampedPosition(position, OverflowX);
}

void SetScrollPositionY(int32_t position) {
    PanY = ClampedPosition(position, OverflowY);
}

void UpdateScrollRangeX() {
    UpdateScrollRange(PhotoWidth, ViewWidth, OverflowX, PanX);
}

void UpdateScrollRangeY() {
    UpdateScrollRange(PhotoHeight, ViewHeight, OverflowY, PanY);
}

void Button3Click() {
    // The test comes before the step, so the zoom may end a little above 3.
    if (Zoom >= MaxZoom) return;
    Zoom = Zoom + ZoomStep * ZoomPerStep;
    ShowZoom();
    UpdateScrollRanges();
    RequestFrame();
}

void Button4Click() {
    if (Zoom <= MinZoom) return;
    Zoom = Zoom - ZoomStep * ZoomPerStep;
    ShowZoom();
    UpdateScrollRanges();
    if (OverflowX == 0 && OverflowY == 0 && PhotoWidth > 0 && PhotoHeight > 0) {
        Zoom = FitZoom(PhotoWidth, PhotoHeight, ViewWidth, ViewHeight);
        ShowZoom();
        UpdateScrollRanges();
    }
    RequestFrame();
}

void bRotateRMouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        Button14Click();
    else
        QuarterTurn(true);
}

void Button14Click() {
    QuarterTurn(false);
}

void PhotoMoveDrag(float dx, float dy) {
    SetScrollPositionY(static_cast<int32_t>(std::nearbyint(PanY - dy)));
    SetScrollPositionX(static_cast<int32_t>(std::nearbyint(PanX - dx)));
}

namespace {

// The pan that shows the layer-space coordinate `point` at canvas position
// `canvas` on one axis at the current zoom and range.
int32_t PanShowing(float point, int32_t canvas, int32_t overflow, int32_t view, int32_t shown) {
    const float centre = CenteringOffset(overflow, view, shown, Zoom);
    return static_cast<int32_t>(std::nearbyint(point * Zoom - canvas + centre));
}

} // namespace

void ZoomAboutPoint(bool in, float step, int32_t x, int32_t y) {
    const float pointX =
        (x + PanX - CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom)) / Zoom;
    const float pointY =
        (y + PanY - CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom)) / Zoom;
    ZoomStep = step;
    if (in)
        Button3Click();
    else
        Button4Click();
    SetScrollPositionX(PanShowing(pointX, x, OverflowX, ViewWidth, PhotoWidth));
    SetScrollPositionY(PanShowing(pointY, y, OverflowY, ViewHeight, PhotoHeight));
}

void PhotoZoomDrag(float dy) {
    ZoomStep = std::fabs(dy) / DragPixelsPerZoomStep;
    if (dy > 0) Button3Click();
    if (dy < 0) Button4Click();
}

void ResizeView(int32_t width, int32_t height) {
    if (width == ViewWidth && height == ViewHeight) return;
    const bool wholePhotoShown = OverflowX == 0 && OverflowY == 0;
    ViewWidth = width;
    ViewHeight = height;
    if (wholePhotoShown) {
        FitPhotoToView();
        return;
    }
    UpdateScrollRanges();
    UpdateCentring();
    RequestFrame();
}

void FitPhotoToView() {
    if (PhotoWidth > 0 && PhotoHeight > 0 && ViewWidth > 0 && ViewHeight > 0)
        Zoom = FitZoom(PhotoWidth, PhotoHeight, ViewWidth, ViewHeight);
    OverflowX = OverflowY = 0;
    PanX = PanY = 0;
    ShowZoom();
    UpdateScrollRanges();
    UpdateCentring();
    RequestFrame();
}

PhotoViewState CurrentPhotoView() {
    return {Zoom, PanX, PanY};
}

// The ranges are worked out afresh rather than scaled from the current ones,
// so the pan comes back exactly where it was.
void RestorePhotoView(const PhotoViewState& view) {
    Zoom = view.Zoom;
    OverflowX = OverflowY = 0;
    UpdateScrollRanges();
    SetScrollPositionX(view.PanX);
    SetScrollPositionY(view.PanY);
    ShowZoom();
    UpdateCentring();
    RequestFrame();
}

std::string ZoomCaption(float zoom) {
    return "Zoom: " + std::to_string(static_cast<long long>(std::nearbyint(zoom * PerCent)));
}

void ResetPhotoView() {
    ZoomStep = 0;
    PhotoGrabbed = false;
}

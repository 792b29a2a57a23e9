#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>
#include <string>

// How the photo is shown: zoom, pan and quarter turns. The pan of each axis
// is held as a plain scroll position: its range is OverflowX (OverflowY), its
// position is PanX (PanY), and every change keeps the position inside
// 0..range.

// The size of the next zoom step, set by the PhotoZoom drag.
extern float ZoomStep;

// The middle button holds the photo: pointer movement pans it, whatever the
// tool.
extern bool PhotoGrabbed;

// Moves the pan of one axis to `position`, clamped into its range.
void SetScrollPositionX(int32_t position);
void SetScrollPositionY(int32_t position);

// After a change of zoom or of the shown size: the new range of one axis is
// what the zoomed photo overflows the canvas by, and the position keeps its
// proportion of the old range (0 when there was none).
void UpdateScrollRangeX();
void UpdateScrollRangeY();

// One zoom step in (Button3Click) or out (Button4Click) by ZoomStep x 0.02.
// Zooming in stops once the zoom has reached 3; zooming out stops at 0.21
// and snaps back to the fitted zoom once the whole photo fits.
void Button3Click();
void Button4Click();

// A quarter turn of the photo clockwise (the left button released on
// bRotateR) or counter-clockwise (Button14Click, also the right button on
// bRotateR); every visible tattoo turns with the photo.
void bRotateRMouseUp(Qt::MouseButton button);
void Button14Click();

// The drags of the PhotoMove and PhotoZoom tools, by the pointer's movement.
void PhotoMoveDrag(float dx, float dy);
void PhotoZoomDrag(float dy);

// One zoom step in (`in`) or out by `step`, as the zoom tool makes it, that
// keeps the photo point under canvas point (x, y) in place as far as the pan
// ranges allow.
void ZoomAboutPoint(bool in, float step, int32_t x, int32_t y);

// The view size follows the canvas: a new size of it becomes ViewWidth x
// ViewHeight. A photo shown whole before is fitted to the new size, as a
// photo is when opened; otherwise the zoom stays and the pan ranges follow,
// each position keeping its proportion of its range.
void ResizeView(int32_t width, int32_t height);

// The whole photo in the view at the largest zoom that shows it, panned to
// its top-left, as after opening it.
void FitPhotoToView();

// What the user sees of the photo: zoom and pan. Restoring it in a view of
// another size gives the same zoom, the pan clamped into that view's ranges.
struct PhotoViewState {
    float Zoom = 1;
    int32_t PanX = 0;
    int32_t PanY = 0;
};
PhotoViewState CurrentPhotoView();
void RestorePhotoView(const PhotoViewState& view);

// "Zoom: " and the zoom in per cent, rounded half to even.
std::string ZoomCaption(float zoom);

// ZoomStep back to its start and no photo grabbed (for tests).
void ResetPhotoView();

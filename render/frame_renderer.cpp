#include "render/frame_renderer.h"

#include <GL/gl.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "render/gl_canvas.h"
#include "render/kept_scene.h"
#include "render/layer_mesh.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"

namespace {

void BeginUntextured() {
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
}

void OutlineLayer(const TTattooLayer& layer, float offX, float offY) {
    BeginUntextured();
    DrawLayerOutline(layer.Corners, 255, 255, 255, 255, offX, offY);
    glEnable(GL_TEXTURE_2D);
}

// The canvas positions of the MovePoints handles found by the last composed
// frame. They are drawn over the whole scene, with the other marks that
// animate, so that a frame that only animates them can draw them over the
// kept scene exactly as the composed frame did.
std::vector<CanvasPoint> Handles;

// Every drawn layer gets its outline and four handles in MovePoints; the
// first handle near the pointer picks its layer and corner.
void OutlineAndPickCorners(int index, float offX, float offY) {
    const TTattooLayer& layer = Layers[index];
    OutlineLayer(layer, offX, offY);
    for (int k = 0; k < 4; ++k) {
        const float x = layer.Corners[k].X * Zoom + offX;
        const float y = layer.Corners[k].Y * Zoom + offY;
        Handles.push_back({x, y});
        if (HoverLayer == -1 && CornerUnderPointer(x, y, MouseX, MouseY)) {
            HoverLayer = index;
            HoverCorner = k + 1;
        }
    }
}

void DrawHandles() {
    if (Handles.empty()) return;
    const PulseColour pulse = PulsingColour(TickCount());
    BeginUntextured();
    for (const CanvasPoint& handle : Handles)
        DrawRotatedRect(pulse.Red, pulse.Green, pulse.Blue, false, 150, 0, 5, 5, handle.X,
                        handle.Y);
    glEnable(GL_TEXTURE_2D);
}

void PickLayer(int index, float offX, float offY) {
    if (HoverLayer != -1) return;
    const float px = MouseX + PanX - CenterX;
    const float py = MouseY + PanY - CenterY;
    if (!PointInQuad(Layers[index].Corners, px, py)) return;
    HoverLayer = index;
    OutlineLayer(Layers[index], offX, offY);
}

void DrawLayers(float offX, float offY) {
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        const TTattooLayer& layer = Layers[i];
        if (!layer.Visible) continue;
        if (!DrawLayerMesh(layer.Texture, layer.Corners, layer.Alpha, 255, 255, 255, offX, offY))
            continue;
        if (!HoverPickingActive()) continue;
        if (ToolMode == Tool::MovePoints)
            OutlineAndPickCorners(i, offX, offY);
        else
            PickLayer(i, offX, offY);
    }
}

// Drawn in the photo transform, as the paint layer under it.
void DrawSelectionOutline(float offX, float offY) {
    if (Capturing || SelectionLast <= 0) return;
    const PulseColour pulse = PulsingColour(TickCount());
    const int last = std::min(SelectionLast, SelectionCapacity - 1);
    glPushMatrix();
    ApplyPhotoTransform(offX, offY);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINE_STRIP);
    glColor4ub(pulse.Red, pulse.Green, pulse.Blue, 128);
    for (int i = 0; i <= last; ++i)
        glVertex2f(SelectionPoints[i].X * Zoom, SelectionPoints[i].Y * Zoom);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void DrawPaint(float offX, float offY) {
    glPushMatrix();
    DrawPaintLayer(offX, offY);
    glPopMatrix();
}

void DrawCursor() {
    if (Capturing || !MouseInCanvas) return;
    const auto placement = ChooseCursor(ToolMode, HoverLayer, MouseX, MouseY);
    if (!placement) return;
    glBindTexture(GL_TEXTURE_2D, CursorTextures[placement->Index]);
    DrawTexturedRotatedRect(255, 255, 255, 255, 0, CursorSize, CursorSize, placement->X,
                            placement->Y);
}

// The marks over the composed scene: the handles, the selection outline and
// the cursor. Blending is on.
void DrawOverlay(float offX, float offY) {
    DrawHandles();
    DrawSelectionOutline(offX, offY);
    DrawCursor();
}

} // namespace

bool HoverPickingActive() {
    const bool pickingTool = ToolMode <= Tool::PhotoMove;
    return pickingTool && !Capturing && MouseInCanvas;
}

bool CornerUnderPointer(float cornerX, float cornerY, int32_t mouseX, int32_t mouseY) {
    const float dx = cornerX - mouseX;
    const float dy = cornerY - mouseY;
    return dx * dx + dy * dy < 25;
}

PulseColour PulsingColour(int32_t tick) {
    const auto channel = [tick](double period) {
        return static_cast<uint8_t>(std::trunc(std::fabs(std::sin(tick / period)) * 255));
    };
    return {channel(100), channel(200), channel(300)};
}

int32_t TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

void DrawComposedScene(float offX, float offY) {
    // A clean picture finds no handles: the kept scene's marks would go too.
    if (Capturing) ForgetKeptScene();
    DrawPhoto(offX, offY);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // While a button is held the layer found before the press stays the
    // dragged one.
    if (!MouseHeld) HoverLayer = -1;
    Handles.clear();
    DrawLayers(offX, offY);
    DrawPaint(offX, offY);
}

void Timer1Timer() {
    ClearFrame();
    // Blending is off here: every frame switches it off at its end.
    DrawTexturedQuad(BackgroundTexture, 255, 255, 255, 255, 0, 0, ViewWidth, ViewHeight, 1, 1);
    CenterX = CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom);
    CenterY = CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom);
    const float offX = CenterX - PanX;
    const float offY = CenterY - PanY;
    DrawComposedScene(offX, offY);
    if (FrameAnimating() && !Capturing)
        KeepComposedScene();
    else
        ForgetKeptScene();
    DrawOverlay(offX, offY);
    glDisable(GL_BLEND);
    // A capture reads the frame back from the widget's framebuffer before it
    // is composed on screen, so a clean capture frame ends the same way.
    PresentFrame();
}

void AnimationFrame() {
    glLoadIdentity();
    if (!DrawKeptScene()) {
        Timer1Timer();
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawOverlay(CenterX - PanX, CenterY - PanY);
    glDisable(GL_BLEND);
    PresentFrame();
}

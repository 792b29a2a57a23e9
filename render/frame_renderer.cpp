#include "render/frame_renderer.h"

#include <GL/gl.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "render/gl_canvas.h"
#include "render/ink_mesh.h"
#include "render/kept_scene.h"
#include "render/layer_mesh.h"
#include "render/tattoo_clip.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"

namespace {

// Layers and outlines are drawn untinted: white multiplies nothing away.
constexpr uint8_t Full = 255;

void BeginUntextured() {
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
}

void OutlineLayer(const TTattooLayer& layer, float offX, float offY) {
    BeginUntextured();
    DrawLayerOutline(layer.Corners, Full, Full, Full, Full, offX, offY);
    glEnable(GL_TEXTURE_2D);
}

// The MovePoints handles: a small box drawn half see-through over each
// corner.
constexpr float HandleSize = 5;
constexpr uint8_t HandleAlpha = 150;
// The selection outline lets the photo show through.
constexpr uint8_t SelectionOutlineAlpha = 128;

// The canvas positions of the MovePoints handles found by the last composed
// frame. They are drawn over the whole scene, with the other marks that
// animate, so that a frame that only animates them can draw them over the
// kept scene exactly as the composed frame did.
std::vector<CanvasPoint> Handles;

// Every drawn layer gets its outline and four handles in MovePoints. Returns
// the first of its corners (1..4) near the pointer, or 0.
int32_t OutlineAndFindCorner(const TTattooLayer& layer, float offX, float offY) {
    OutlineLayer(layer, offX, offY);
    int32_t found = 0;
    for (int k = 0; k < 4; ++k) {
        const float x = layer.Corners[k].X * Zoom + offX;
        const float y = layer.Corners[k].Y * Zoom + offY;
        Handles.push_back({x, y});
        if (found == 0 && CornerUnderPointer(x, y, MouseX, MouseY)) found = k + 1;
    }
    return found;
}

void DrawHandles() {
    if (Handles.empty()) return;
    const PulseColour pulse = PulsingColour(TickCount());
    BeginUntextured();
    for (const CanvasPoint& handle : Handles)
        DrawRotatedRect(pulse.Red, pulse.Green, pulse.Blue, false, HandleAlpha, 0, HandleSize,
                        HandleSize, handle.X, handle.Y);
    glEnable(GL_TEXTURE_2D);
}

bool UnderPointer(const TTattooLayer& layer) {
    return PointInQuad(layer.Corners, MouseX + PanX - CenterX, MouseY + PanY - CenterY);
}

// One tattoo as a picture over the photo or as ink in it, clipped to the
// selection when asked; its outline and handles never are.
bool DrawTattoo(const TTattooLayer& layer, bool clip, float offX, float offY) {
    if (clip) UseTattooClip(true);
    const bool drawn = layer.InkLook ? DrawInkLayer(layer, offX, offY)
                                     : DrawLayerMesh(layer.Texture, layer.Corners, layer.Alpha,
                                                     Full, Full, Full, offX, offY);
    if (clip) UseTattooClip(false);
    return drawn;
}

// The pointer acts on the tattoo the user sees: the topmost one under it,
// so a later (higher) layer takes the pick from any below. A layer or corner
// is picked only when no drag holds one already; the picked layer is
// outlined over all the layers, so its whole outline shows.
void DrawLayers(float offX, float offY) {
    const bool picking = HoverPickingActive();
    const bool choosing = picking && HoverLayer == -1;
    const bool corners = ToolMode == Tool::MovePoints;
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    const bool clip = TattooClipActive();
    if (clip) PrepareTattooClip(offX, offY);
    for (int i = 0; i <= last; ++i) {
        const TTattooLayer& layer = Layers[i];
        if (!layer.Visible) continue;
        if (!DrawTattoo(layer, clip, offX, offY)) continue;
        if (!picking) continue;
        if (corners) {
            const int32_t corner = OutlineAndFindCorner(layer, offX, offY);
            if (choosing && corner != 0) {
                HoverLayer = i;
                HoverCorner = corner;
            }
        } else if (choosing && UnderPointer(layer)) {
            HoverLayer = i;
        }
    }
    if (choosing && !corners && HoverLayer != -1) OutlineLayer(Layers[HoverLayer], offX, offY);
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
    glColor4ub(pulse.Red, pulse.Green, pulse.Blue, SelectionOutlineAlpha);
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
    DrawTexturedRotatedRect(Full, Full, Full, Full, 0, CursorSize, CursorSize, placement->X,
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
    return dx * dx + dy * dy < HandleReach * HandleReach;
}

PulseColour PulsingColour(int32_t tick) {
    const auto channel = [tick](double period) {
        return static_cast<uint8_t>(std::trunc(std::fabs(std::sin(tick / period)) * Full));
    };
    return {channel(RedPulsePeriod), channel(GreenPulsePeriod), channel(BluePulsePeriod)};
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
    DrawTexturedQuad(BackgroundTexture, Full, Full, Full, Full, 0, 0, ViewWidth, ViewHeight, 1, 1);
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

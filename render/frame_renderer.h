#pragma once

#include <cstdint>

#include "render/canvas_cursor.h"
#include "render/tile_drawing.h"

// One whole frame of the canvas from the shared scene state: background,
// photo, tattoo layers with the picking of the layer (and, in MovePoints, the
// corner) under the pointer, paint layer, selection outline and cursor.
// While the canvas animates (FrameAnimating) the frame keeps its composed
// scene for the animation frames that follow.
void Timer1Timer();

// A frame that only animates: the kept scene with the marks over it (the
// pulsing handles, the selection outline and the cursor), without composing
// or picking anything again. Composes a whole frame when no scene is kept.
void AnimationFrame();

// The composed picture with the canvas offsets (offX, offY): photo, tattoo
// layers with the picking and outlines under the pointer (none while
// Capturing), and the paint layer. Leaves blending on.
void DrawComposedScene(float offX, float offY);

// Whether layers are outlined and picked under the pointer in this frame.
bool HoverPickingActive();

// A MovePoints handle is picked when the pointer is closer than HandleReach
// pixels to the corner's canvas position.
constexpr float HandleReach = 5;
bool CornerUnderPointer(float cornerX, float cornerY, int32_t mouseX, int32_t mouseY);

// The colour of the MovePoints handles and the selection outline at a given
// millisecond tick; its channels cycle every 100, 200 and 300 pi ms.
constexpr double RedPulsePeriod = 100;
constexpr double GreenPulsePeriod = 200;
constexpr double BluePulsePeriod = 300;
struct PulseColour {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
};
PulseColour PulsingColour(int32_t tick);

// The system's millisecond tick count, wrapping as a signed 32-bit number.
int32_t TickCount();

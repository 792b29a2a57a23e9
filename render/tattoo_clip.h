#pragma once

// Clipping the tattoo layers to the selection: with ClipToSelection set and a
// closed selection polygon, the parts of tattoos outside the polygon are not
// drawn, in frames and in every captured picture alike. The polygon is
// filled even-odd into the stencil buffer, as the selection mask is; the
// paint layer is not clipped.

// Whether the tattoos of this frame are clipped.
bool TattooClipActive();

// Fills the stencil with the polygon under the photo transform of the canvas
// offset (offX, offY). Blending and texturing are left as they were.
void PrepareTattooClip(float offX, float offY);

// Switches the clip on or off for what is drawn next.
void UseTattooClip(bool on);

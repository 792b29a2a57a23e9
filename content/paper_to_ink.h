#pragma once

#include "scene/picture.h"

// Turning a photo or scan of a drawing on paper into a transparent design.
//
// The paper is estimated locally, over blocks of about a thirtieth of the
// picture, from the most common brightness in each block's brighter half.
// Blocks far darker than the page's brightest paper or of another tint (the
// inside of a large filled shape) take the paper of their neighbours, and a
// closing does the same for smaller dark areas: the estimate follows uneven
// light and soft shadows but not the drawing. A
// pixel's darkness is how much of the paper it hides in its darkest channel;
// the paper's own noise level and the ink's darkness, both read from the
// picture's darkness histogram, set the levels that map darkness to opacity,
// so faint pencil and black ink both come out solid. The ink's colour is
// un-mixed from the paper's, and the result is cropped to the drawing with a
// small margin.

// True when some pixel is not fully opaque: such a picture is a design as it
// stands.
bool HasTransparency(const Picture& picture);

// The RGB(A) picture's drawing as an RGBA picture without its paper; alpha in
// the input is not used. Empty when no drawing stands out from the paper.
// The crop's top left corner in the picture goes to cropLeft and cropTop.
Picture PaperToInk(const Picture& picture, int* cropLeft = nullptr, int* cropTop = nullptr);

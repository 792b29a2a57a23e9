#pragma once

#include "tools/paint_color.h"

// The colour of swatch n (1..8), Image8 to Image15: yellow, red, blue, green,
// black, dark grey, grey, light grey. Black for any other number.
TPaintColor SwatchColour(int n);

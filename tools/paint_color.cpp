#include "tools/paint_color.h"

TPaintColor PaintColor;

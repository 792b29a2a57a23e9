#include "ui/swatch_colours.h"

namespace {

constexpr TPaintColor Colours[] = {
    {255, 255, 0}, {255, 0, 0},     {0, 0, 255},     {0, 255, 0},
    {0, 0, 0},     {102, 102, 102}, {153, 153, 153}, {204, 204, 204},
};

} // namespace

TPaintColor SwatchColour(int n) {
    if (n < 1 || n > 8) return {0, 0, 0};
    return Colours[n - 1];
}

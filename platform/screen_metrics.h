#pragma once

#include <cstdint>

// The primary screen's size in pixels, as the desktop reports it. Windows
// centre themselves on it. Both values are 0 when no screen is known (no
// application object yet, or a display without screens).
struct ScreenSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

ScreenSize PrimaryScreenSize();

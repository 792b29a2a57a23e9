#pragma once

#include <array>
#include <cstdint>

// One skinned image button of the main window: where its pictures come from,
// where it sits, and how its picture follows the tool and the mouse.
struct ImageButtonInfo {
    int Index;          // its place in ButtonSkins
    const char* Prefix; // resource names are Prefix + "O" / "F" / "H"
    const char* Control;
    int Left, Top, Width, Height;
    int LitTool;      // the ToolMode value that shows it pressed; NeverLit for none
    bool DownPressed; // pressing a mouse button on it shows the pressed picture
    bool UpHover;     // releasing shows the hover picture
};

constexpr int NeverLit = -1;
constexpr int ImageButtonCount = 31;

// Every image button, in the order their pictures are loaded.
extern const std::array<ImageButtonInfo, ImageButtonCount> ImageButtons;

// The button with this ButtonSkins index, or null for an index without one.
const ImageButtonInfo* FindImageButton(int index);
// The button with this control name, or null.
const ImageButtonInfo* FindImageButton(const char* control);

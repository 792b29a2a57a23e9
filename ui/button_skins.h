#pragma once

#include <QImage>
#include <cstdint>

class PictureControl;

// The three pictures of one image button. A picture whose resource is
// missing stays null, and the control then shows nothing in that state.
struct ButtonSkin {
    QImage Pressed; // resource prefix + "O"
    QImage Normal;  // prefix + "F"
    QImage Hover;   // prefix + "H"
};

// Places 1..27 and 30..33 hold the image buttons, 41..48 the colour swatches;
// the places between stay empty.
constexpr int ButtonSkinPlaces = 49;
extern ButtonSkin ButtonSkins[ButtonSkinPlaces];

// Swatch n (1..8) is ButtonSkins[40 + n]: its chosen picture sits in the
// pressed place, its normal one in the normal place, and it has no hover.
constexpr int SwatchCount = 8;
extern ButtonSkin* const ColourSwatches;

// The ButtonSkins index of the image button under the pointer, 0 for none.
extern uint8_t HoverButton;
// The identifier of the last ButtonsImages call; -1 so the first call works.
extern int32_t LastHoverId;

// The control of each image button, by ButtonSkins index; the main window
// fills it in while it makes the buttons. Null places are skipped.
extern PictureControl* ButtonControls[ButtonSkinPlaces];

// Loads the pictures of the 31 image buttons and the 8 swatches.
void LoadButtonSkins();

// Gives every image button its picture: the current tool's button pressed,
// the hovered button its hover picture, the rest normal. `id` names the
// element the pointer has just entered (a button's index, or 0); the pictures
// are only redone when it differs from the last call's, so movements within
// one element cost nothing. With `flag` set the pointer counts as having left
// the canvas.
void ButtonsImages(int32_t id, bool flag);
// Shows every button's picture for the current tool and hover at once, for
// changes made without the pointer moving (a tool chosen by key).
void ShowButtonsImages();

// The handlers every image button shares, by its index: the pointer moving
// over it, a mouse button going down on it and coming up again.
void ImageButtonMouseMove(int index);
void ImageButtonMouseDown(int index);
void ImageButtonMouseUp(int index);

// The pointer over the window's background or the catalog miniature: no
// button is hovered any more.
void FormMouseMove();

// Back to the state before the window existed (for tests).
void ResetButtonSkins();

#pragma once

// The main window's controls that code outside the window acts on, as named
// in the window. The window fills these in while it is created; they stay null
// where no window exists (tests that need one make their own).

class QLabel;
class QLineEdit;
class QWidget;
class PictureControl;

struct TMainFormControls {
    QWidget* Window = nullptr;
    QWidget* Panel1 = nullptr; // the canvas
    QLabel* GroupName = nullptr;
    PictureControl* Image2 = nullptr;     // catalog miniature
    PictureControl* GallerySlots[5] = {}; // Image1, Image3, Image4, Image5, Image6
    QLabel* ZoomLabel = nullptr;
    QLineEdit* Edit1 = nullptr;
};

extern TMainFormControls MainControls;

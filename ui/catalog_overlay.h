#pragma once

#include <QFrame>
#include <string>

class PictureControl;
class QLabel;

// The catalog over the full view's canvas: the design the window's catalog
// shows, its group, the arrows that page them and a click on the design that
// places it, as in the window. It mirrors the window's catalog miniature and
// group name, which the catalog keeps up to date, so both always agree.
class CatalogOverlay : public QFrame {
  public:
    explicit CatalogOverlay(QWidget* parent);

    // Shows the design and group the catalog shows now.
    void Refresh();

    // The overlay's keys: Left and Right page the designs, Up and Down the
    // groups, Return places the design. False for any other key.
    bool KeyDown(int key);

    // The design is placed in the middle of the view, as from the window.
    void PlaceDesign();

    // Where it lies over a full view of this size: at its left edge, half
    // way down, clear of the middle, where a new design lands.
    void PlaceIn(QSize view);

    PictureControl* Miniature() const { return miniature_; }

  private:
    // Runs a catalog step, then shows its result.
    void Step(void (*step)());

    QLabel* group_ = nullptr;
    PictureControl* miniature_ = nullptr;
};

// Part `part` (from 0) of text n, whose parts are separated by '|'; empty
// when it has fewer parts.
std::string TextPart(int n, int part);

#pragma once

#include "ui/canvas_widget.h"

// A canvas that counts its frames, so a test can wait for the frame that
// answers what it did.
class CountingCanvas : public CanvasWidget {
  public:
    int Frames = 0;

  protected:
    void paintGL() override {
        ++Frames;
        CanvasWidget::paintGL();
    }
};

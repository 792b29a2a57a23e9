#pragma once

#include <QLineEdit>
#include <functional>

// A one-line edit that hands its key presses and the loss of the focus to
// handlers the window assigns, and its text changes (typed or set) to
// OnChange.
class EditControl : public QLineEdit {
  public:
    explicit EditControl(QWidget* parent);

    std::function<void()> OnChange;
    // The key code (Qt::Key); true when the key was handled and the edit
    // should not act on it itself.
    std::function<bool(int key)> OnKeyDown;
    std::function<void()> OnExit;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

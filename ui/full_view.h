#pragma once

#include <QWidget>
#include <functional>

class CanvasWidget;
class CatalogOverlay;
class QKeyEvent;
class QLabel;

// The full view: a window of its own over the whole screen that the canvas
// moves into, so the photo can be judged at the size of the screen. Under
// the canvas a slim strip shows the tool with its hint, the zoom and the
// full view's keys; the catalog can be laid over the canvas's left edge.
// Every key goes to the editor's key handler, as the window's do.
class FullView : public QWidget {
  public:
    FullView();

    // Takes the canvas in above the strip, free to take the window's size.
    void TakeCanvas(CanvasWidget* canvas);

    // Shows the current tool, its hint and the zoom.
    void RefreshStrip();

    CatalogOverlay* Catalog() const { return catalog_; }
    QLabel* ToolHint() const { return toolHint_; }
    QLabel* ZoomText() const { return zoom_; }

    std::function<void(QKeyEvent*)> OnKeyDown;
    // The window is to close (the desktop's close shortcut): back to the
    // editor's window.
    std::function<void()> OnClose;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void HandleClose(QCloseEvent* event);
    void HandleResize(QResizeEvent* event);
    QWidget* MakeStrip();

    QLabel* toolHint_ = nullptr;
    QLabel* zoom_ = nullptr;
    CatalogOverlay* catalog_ = nullptr;
};

// The hint text (as in lang.ini) of the tool button that selects this tool.
int ToolHintText(uint8_t tool);

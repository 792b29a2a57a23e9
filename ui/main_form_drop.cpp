#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "content/dropped_design.h"
#include "content/photo_loader.h"
#include "content/session_file.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "ui/canvas_widget.h"
#include "ui/main_form.h"

namespace {

bool IsPictureFile(const std::string& path) {
    const std::string extension = LowerExtension(path);
    return extension == ".jpg" || extension == ".jpeg" || extension == ".bmp" ||
           extension == ".png" || extension == SessionSuffix;
}

// The first dropped local file of a picture type the Open dialog offers;
// empty when there is none.
std::string DroppedPictureFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        const std::string path = url.toLocalFile().toStdString();
        if (!path.empty() && IsPictureFile(path)) return path;
    }
    return {};
}

} // namespace

// An information screen covers the editor, which takes no drop meanwhile.
void TMainForm::FormDragOver(QDragMoveEvent* event) {
    if (TextScreen->isVisible() || DroppedPictureFile(event->mimeData()).empty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TMainForm::FormDragDrop(QDropEvent* event) {
    const std::string path = DroppedPictureFile(event->mimeData());
    if (path.empty() || TextScreen->isVisible()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Through the screen: in the full view the canvas lies in another window.
    const QPoint canvas = Panel1->mapFromGlobal(mapToGlobal(event->position().toPoint()));
    const bool onCanvas = Panel1->parentWidget() == this && Panel1->rect().contains(canvas);
    const bool onCatalog = OnCatalogArea(event->position().toPoint());
    // The program that the file came from waits for the drop to end: a
    // message about the file must not keep it waiting.
    QTimer::singleShot(0, this, [this, path, canvas, onCanvas, onCatalog] {
        if (onCatalog)
            ImportDesign(path);
        else
            DropPicture(path, canvas, onCanvas);
    });
}

// Opening a photo drops the tattoos, as the Open command does; adding a
// design selects Move, as placing one from the catalog does.
void TMainForm::DropPicture(const std::string& path, QPoint canvas, bool onCanvas) {
    if (onCanvas && LowerExtension(path) == ".png") {
        if (!AddDroppedDesign(path, canvas.x(), canvas.y())) return;
        SelectTool(Tool::Move, false);
        ImportDesign(path);
    } else {
        OpenPhoto(path);
    }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    FormDragOver(event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    FormDragOver(event);
}

void TMainForm::dropEvent(QDropEvent* event) {
    FormDragDrop(event);
}

bool TMainForm::OnCatalogArea(QPoint window) {
    // From the group button's left edge to the next arrow's right edge, and
    // from the arrows' top to the miniature's bottom.
    static const QRect CatalogArea(136, 344, 260, 295);
    return CatalogArea.contains(window);
}

bool TMainForm::PointerOnMiniature() const {
    return Image2->underMouse();
}

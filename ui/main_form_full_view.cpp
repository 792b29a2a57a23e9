#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "platform/form_controls.h"
#include "platform/picture_control.h"
#include "tools/canvas_pointer.h"
#include "ui/button_skins.h"
#include "ui/canvas_widget.h"
#include "ui/catalog_overlay.h"
#include "ui/full_view.h"
#include "ui/main_form.h"

namespace {

// Brings the catalog over the full view's canvas, and takes it away.
constexpr int CatalogKey = Qt::Key_D;

// The commands whose dialogs belong to the editor's window.
bool OpensDialog(const QKeyEvent& event) {
    return event.matches(QKeySequence::Open) || event.matches(QKeySequence::Save) ||
           event.matches(QKeySequence::Print) || event.matches(QKeySequence::Quit) ||
           (event.key() == Qt::Key_I &&
            (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier);
}

} // namespace

bool TMainForm::InFullView() const {
    return fullView_ && fullView_->isVisible();
}

void TMainForm::ToggleFullView() {
    if (InFullView())
        LeaveFullView();
    else
        EnterFullView();
}

// The canvas's widget moves, keeping its textures: every context of the
// program shares them. The window hides meanwhile, so that the desktop has
// one editor window at a time.
void TMainForm::EnterFullView() {
    if (InFullView() || TextScreen->isVisible()) return;
    if (!fullView_) {
        fullView_ = std::make_unique<FullView>();
        fullView_->OnKeyDown = [this](QKeyEvent* event) { FormKeyDown(event); };
        fullView_->OnClose = [this] { LeaveFullView(); };
    }
    windowView_ = CurrentPhotoView();
    canvasPlace_ = Panel1->geometry();
    Panel1MouseLeave();
    fullView_->TakeCanvas(Panel1);
    Panel1->OnFrameRequest = [view = fullView_.get()] { view->RefreshStrip(); };
    // Questions about the canvas (closing a selection) show over it.
    MainControls.Window = fullView_.get();
    fullView_->setGeometry(screen()->geometry());
    fullView_->showFullScreen();
    Panel1->show();
    hide();
    fullView_->activateWindow();
    Panel1->setFocus();
    ResizeView(Panel1->width(), Panel1->height());
    FitPhotoToView();
    fullView_->RefreshStrip();
}

void TMainForm::LeaveFullView() {
    if (!InFullView()) return;
    fullView_->Catalog()->hide();
    Panel1MouseLeave();
    Panel1->OnFrameRequest = nullptr;
    Panel1->setParent(this);
    Panel1->setGeometry(canvasPlace_);
    Panel1->setFixedSize(canvasPlace_.size());
    // Its place among the window's controls, under the windowed ones made
    // after it.
    Panel1->stackUnder(Button3);
    MainControls.Window = this;
    show();
    Panel1->show();
    fullView_->hide();
    ResizeView(Panel1->width(), Panel1->height());
    RestorePhotoView(windowView_);
    ShowButtonsImages();
    activateWindow();
    Panel1->setFocus();
}

bool TMainForm::FullViewKeyDown(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_F11) {
        ToggleFullView();
        return true;
    }
    if (!InFullView()) return false;
    CatalogOverlay* catalog = fullView_->Catalog();
    if (event->key() == Qt::Key_Escape) {
        if (catalog->isVisible())
            catalog->hide();
        else
            LeaveFullView();
        return true;
    }
    if (plain && event->key() == CatalogKey) {
        catalog->Refresh();
        catalog->PlaceIn(fullView_->size());
        catalog->setVisible(!catalog->isVisible());
        return true;
    }
    if (catalog->isVisible() && catalog->KeyDown(event->key())) return true;
    if (OpensDialog(*event)) LeaveFullView();
    return false;
}

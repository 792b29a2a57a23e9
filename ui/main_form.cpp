#include "ui/main_form.h"

#include <GL/gl.h>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

#include "content/autosave.h"
#include "content/photo_loader.h"
#include "platform/canvas_context.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "platform/message_box.h"
#include "platform/picture_control.h"
#include "render/canvas_cursor.h"
#include "tools/brush_size.h"
#include "ui/about_form.h"
#include "ui/button_skins.h"
#include "ui/button_table.h"
#include "ui/design_imports.h"
#include "ui/full_view.h"
#include "ui/help_window.h"

TMainForm* MainForm = nullptr;
std::string StartupPhoto;
bool KeepWorkSafe = false;
std::function<void()> TerminateApplication = [] { QCoreApplication::quit(); };

TMainForm::TMainForm(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    MainForm = this;
    setObjectName("MainForm");
    setWindowTitle("Velmora");
    setFixedSize(850, 650);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setAcceptDrops(true);
    designImports_ = new DesignImports(this);
    CreateControls();
    FormCreate();
}

TMainForm::~TMainForm() {
    // Quitting through the close button skips FormClose; the context must
    // still go before the application object, which it depends on.
    ReleaseCanvasContext();
    // Code outside the window reaches its controls through these tables.
    for (PictureControl*& control : ButtonControls)
        control = nullptr;
    MainControls = TMainFormControls{};
    BrushSizeEditExit = nullptr;
    if (MainForm == this) MainForm = nullptr;
}

PictureControl* TMainForm::ImageButton(const char* control) const {
    const ImageButtonInfo* button = FindImageButton(control);
    return button ? ButtonControls[button->Index] : nullptr;
}

void TMainForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, SkinBitmap);
}

void TMainForm::bminClick() {
    showMinimized();
}

void TMainForm::bcloseClick() {
    if (!QuitConfirmed()) return;
    ButtonsImages(0, true);
    EndAutosave();
    TerminateApplication();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    event->accept();
    FormClose();
}

void TMainForm::FormClose() {
    MakeCanvasCurrent();
    if (PhotoWidth != 0 && PhotoHeight != 0) DeletePhotoTiles();
    // The other textures go with the context.
    const TextureName named[] = {CursorTextures[CURSOR_NORMAL], BackgroundTexture,
                                 CursorTextures[CURSOR_MOVE],   CursorTextures[CURSOR_SCALE],
                                 CursorTextures[CURSOR_DELETE], CursorTextures[CURSOR_FLIP_H],
                                 CursorTextures[CURSOR_FLIP_V], CursorTextures[CURSOR_ALPHA]};
    for (TextureName texture : named)
        glDeleteTextures(1, &texture);
    ReleaseCanvasContext();
    EndAutosave();
    TerminateApplication();
}

void TMainForm::Label1MouseDown(QPoint client) {
    // Wayland lets no program place its own windows: the compositor moves it.
    if (QGuiApplication::platformName().startsWith("wayland")) {
        if (QWindow* window = windowHandle()) window->startSystemMove();
        return;
    }
    if (WindowDragging) return;
    DragGrabX = client.x();
    DragGrabY = client.y();
    WindowDragging = true;
}

void TMainForm::Label1MouseMove(QPoint client) {
    FormMouseMove();
    if (WindowDragging) move(x() + client.x() - DragGrabX, y() + client.y() - DragGrabY);
}

void TMainForm::Label1MouseUp() {
    WindowDragging = false;
}

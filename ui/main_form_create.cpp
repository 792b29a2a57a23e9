#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

#include "content/autosave.h"
#include "content/catalog.h"
#include "content/own_designs.h"
#include "content/photo_loader.h"
#include "content/png_codec.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "platform/message_box.h"
#include "platform/picture_control.h"
#include "platform/resources.h"
#include "render/canvas_cursor.h"
#include "render/gl_canvas.h"
#include "scene/brush_stamp.h"
#include "tools/brush_size.h"
#include "ui/button_skins.h"
#include "ui/canvas_widget.h"
#include "ui/dialog_folders.h"
#include "ui/drag_surface.h"
#include "ui/main_form.h"

namespace {

constexpr int TextNoOpenGl = 90;
constexpr int TextErrorCaption = 41;

// A cursor picture as a texture; 0 when the picture is missing or unreadable,
// so the canvas then draws no cursor in that tool instead of failing.
TextureName CursorTexture(const char* resource) {
    const QByteArray bytes = ResourceData(resource);
    Picture picture;
    if (bytes.isEmpty() || !DecodePngMemory(bytes.constData(), size_t(bytes.size()), picture))
        return 0;
    return UploadTexture(1, picture, true);
}

TextureName BitmapTexture(const char* resource) {
    Picture picture;
    if (!PictureFromQImage(ResourceBitmap(resource), picture)) return 0;
    return UploadTexture(1, picture, true);
}

} // namespace

// The window's set-up, in the order the editor's parts depend on each other.
void TMainForm::FormCreate() {
    Label1->setGeometry(rect());
    move((ScreenWidth - width()) / 2, (ScreenHeight - height()) / 2);
    OpenGalleryDialogFolder = QString::fromStdString(ProgramFolder + "gallery");
    OpenPictureDialog1Folder = QString::fromStdString(ProgramFolder + "sample");
    ReadCatalog(ProgramFolder + "data/data.ini");
    ReadOwnDesigns(OwnDesignsFolder());
    if (CreateCanvasContext(Panel1->width(), Panel1->height(), Panel1) != 0) {
        ShowMessageBox(Lang(TextNoOpenGl), Lang(TextErrorCaption), MessageButtons::Ok,
                       MessageIcon::Error);
        // Nothing can be drawn without OpenGL, and where the system has none
        // Qt cannot even show the canvas: the program ends once told.
        QCoreApplication::exit(1);
    }
    // The canvas draws its own cursor picture at the pointer.
    Panel1->setCursor(Qt::BlankCursor);
    // The canvas, not the brush-size edit, has the focus at start: the edit's
    // blinking caret costs a composition of the whole window at every blink.
    Panel1->setFocus();
    SetClearColor(0.5f, 1.0f, 0.5f, 1.0f);
    CreateCanvasTextures();
    ShowMiniatures();
    SkinBitmap = ResourceBitmap("MAIN_FORM");
    LoadButtonSkins();
    ButtonsImages(0, true);
    MakeCanvasCurrent();
    CreatePaintTileTextures();
    InitBrushStamp(Brush);
    InkLookForNew = RememberedInkLookForNew();
    Image8Click();
    // Canvas moves apply a changed size through the edit, which shows the
    // size as clamped.
    BrushSizeEditExit = [this] { Edit1Exit(); };
    Edit1->setText("20");
    Edit1Exit();
    // A photo named on the command line takes the sample photo's place; one
    // that is refused has been reported, and the sample photo is shown.
    if (StartupPhoto.empty() || !OpenPhotoOrSession(StartupPhoto)) OpenFoto(StockPhotoSource);
    ShowSessionTools();
    // Nothing is lost by quitting before the first change.
    NoteSceneSaved();
    if (KeepWorkSafe) {
        StartAutosave(this);
        QTimer::singleShot(0, this, [this] { OfferRecovery(); });
    }
    Timer2->start();
}

// The cursor pictures and the canvas background, in the order the cursor
// table lists them with the background second.
void TMainForm::CreateCanvasTextures() {
    MakeCanvasCurrent();
    CursorTextures[CURSOR_NORMAL] = CursorTexture(CursorResourceNames[CURSOR_NORMAL]);
    BackgroundTexture = BitmapTexture("GL_BACK");
    for (int cursor = CURSOR_MOVE; cursor < CursorCount; ++cursor)
        CursorTextures[cursor] = CursorTexture(CursorResourceNames[cursor]);
}

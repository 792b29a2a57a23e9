#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "content/autosave.h"
#include "content/own_designs.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "content/picture_commands.h"
#include "content/session_open.h"
#include "platform/language.h"
#include "scene/scene_state.h"
#include "ui/button_skins.h"
#include "ui/design_imports.h"
#include "ui/dialog_folders.h"
#include "ui/main_form.h"
#include "ui/photo_preview.h"
#include "ui/save_picture_dialog.h"

namespace {

// The filters of each dialog; the first is selected when it opens.
const QStringList OpenPictureFilters = {"All (*.jpg *.jpeg *.bmp *.png *.ora)",
                                        "JPEG Image File (*.jpg)", "JPEG Image File (*.jpeg)",
                                        "Bitmaps (*.bmp)", "Velmora session (*.ora)"};
const QStringList DesignFilters = {"Pictures (*.jpg *.jpeg *.png *.bmp)", "PNG Image File (*.png)",
                                   "JPEG Image File (*.jpg *.jpeg)", "Bitmaps (*.bmp)"};
const QStringList GalleryFilters = {"Gallery File (gallery.ini)"};

// A file dialog of Qt's own, the same on every desktop.
void PrepareFileDialog(QFileDialog& dialog, const char* name, const QString& folder,
                       const QStringList& filters) {
    dialog.setObjectName(name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    if (!folder.isEmpty()) dialog.setDirectory(folder);
}

// The confirmed file, or an empty text when the dialog was cancelled.
QString ConfirmedFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

enum class Preview { None, Photo };

QString ChooseExistingFile(QWidget* parent, const char* name, const QString& folder,
                           const QStringList& filters, Preview preview = Preview::None,
                           const QString& title = {}) {
    QFileDialog dialog(parent);
    PrepareFileDialog(dialog, name, folder, filters);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (preview == Preview::Photo) AddPhotoPreview(dialog);
    return ConfirmedFile(dialog);
}

} // namespace

void TMainForm::LoadPictureClick() {
    const QString folder = DialogStartFolder(PictureDialog::Open, OpenPictureDialog1Folder);
    const QString file =
        ChooseExistingFile(this, "OpenPictureDialog1", folder, OpenPictureFilters, Preview::Photo);
    if (file.isEmpty()) return;
    RememberDialogFolder(PictureDialog::Open, file);
    OpenPhoto(file.toStdString());
}

// The Open dialog's folder: a drawing is often beside the photo.
void TMainForm::ImportDesignClick() {
    constexpr int TextImportDesign = 43;
    const QString folder = DialogStartFolder(PictureDialog::Open, OpenPictureDialog1Folder);
    const QString file =
        ChooseExistingFile(this, "ImportDesignDialog", folder, DesignFilters, Preview::Photo,
                           QString::fromStdString(Lang(TextImportDesign)));
    if (file.isEmpty()) return;
    RememberDialogFolder(PictureDialog::Open, file);
    ImportDesign(file.toStdString());
}

void TMainForm::ImportDesign(const std::string& path) {
    designImports_->Import(path);
}

bool TMainForm::ImportingDesign() const {
    return designImports_->Busy();
}

// Loading a photo ends an outline being drawn, and the Select tool with it:
// the buttons then show the tool that is left.
// A session opens in place of the whole scene, the photo with it.
// A session just opened is saved work: nothing of it is lost by quitting.
void TMainForm::OpenPhoto(const std::string& path) {
    if (OpenPhotoOrSession(path) && LowerExtension(path) == SessionSuffix) {
        ShowSessionTools();
        NoteSceneSaved();
    }
    ShowButtonsImages();
}

bool OpenPhotoOrSession(const std::string& path) {
    if (LowerExtension(path) == SessionSuffix) return OpenSessionFile(path);
    return OpenFoto(path);
}

void TMainForm::GalleryMiniatureClick(int slot) {
    ChooseGalleryMiniature(slot);
    ShowButtonsImages();
}

void TMainForm::Button10Click() {
    SavePictureDialog dialog(this, DialogStartFolder(PictureDialog::Save, QString()));
    if (dialog.exec() != QDialog::Accepted) return;
    const SaveTarget target = dialog.Target();
    if (target.Path.empty()) return;
    SaveTo(target);
}

bool TMainForm::SaveTo(const SaveTarget& target) {
    std::string written;
    if (target.Session) {
        written = SaveSessionFile(target.Path);
    } else {
        PrintToBMP();
        written = SavePicture(PrintBitmap, target.Path, target.Type);
        PrintBitmap = Picture{};
    }
    if (written.empty()) return false;
    RememberDialogFolder(PictureDialog::Save, QString::fromStdString(written));
    NoteSceneSaved();
    return true;
}

void TMainForm::bprintClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("PrintDialog1");
    if (dialog.exec() != QDialog::Accepted) return;
    PrintToBMP();
    PrintPicture(printer, PrintBitmap);
    PrintBitmap = Picture{};
}

void TMainForm::bfdeleteClick() {
    const uint8_t tool = ToolMode;
    // Clearing an open selection changes the tool, and its button follows.
    if (ClearScene() && ToolMode != tool) ButtonsImages(0, true);
}

void TMainForm::baddGClick() {
    PrintToBMP();
    AddPictureToGallery(PrintBitmap);
    PrintBitmap = Picture{};
}

void TMainForm::bGalleryClick() {
    const QString file =
        ChooseExistingFile(this, "OpenGalleryDialog", OpenGalleryDialogFolder, GalleryFilters);
    if (!file.isEmpty()) OpenGallery(file.toStdString());
}

void TMainForm::PrintToBMP() {
    PrintBitmap = Picture{};
    ComposePicture(PrintBitmap);
}

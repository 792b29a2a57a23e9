#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "content/photo_loader.h"
#include "content/picture_commands.h"
#include "scene/scene_state.h"
#include "ui/button_skins.h"
#include "ui/dialog_folders.h"
#include "ui/main_form.h"

namespace {

// The filters of each dialog; the first is selected when it opens.
const QStringList OpenPictureFilters = {"All (*.jpg *.jpeg *.bmp *.png)", "JPEG Image File (*.jpg)",
                                        "JPEG Image File (*.jpeg)", "Bitmaps (*.bmp)"};
// In the order of PictureFileType.
const QStringList SavePictureFilters = {"JPEG Image File (*.jpg)", "Bitmaps (*.bmp)",
                                        "PNG Image File (*.png)"};
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

QString ChooseExistingFile(QWidget* parent, const char* name, const QString& folder,
                           const QStringList& filters) {
    QFileDialog dialog(parent);
    PrepareFileDialog(dialog, name, folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ConfirmedFile(dialog);
}

PictureFileType FilterType(int index) {
    return index == 1   ? PictureFileType::Bmp
           : index == 2 ? PictureFileType::Png
                        : PictureFileType::Jpeg;
}

} // namespace

void TMainForm::LoadPictureClick() {
    const QString folder = DialogStartFolder(PictureDialog::Open, OpenPictureDialog1Folder);
    const QString file = ChooseExistingFile(this, "OpenPictureDialog1", folder, OpenPictureFilters);
    if (file.isEmpty()) return;
    RememberDialogFolder(PictureDialog::Open, file);
    OpenFoto(file.toStdString());
}

void TMainForm::Button10Click() {
    QFileDialog dialog(this);
    PrepareFileDialog(dialog, "SaveDialog1", DialogStartFolder(PictureDialog::Save, QString()),
                      SavePictureFilters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog then asks before replacing the file that will be written.
    dialog.setDefaultSuffix("jpg");
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         const int index = SavePictureFilters.indexOf(filter);
                         dialog.setDefaultSuffix(QString(ExtensionOf(FilterType(index))).mid(1));
                     });
    const QString file = ConfirmedFile(dialog);
    if (file.isEmpty()) return;
    const int filter = SavePictureFilters.indexOf(dialog.selectedNameFilter());
    PrintToBMP();
    const std::string written = SavePicture(PrintBitmap, file.toStdString(), FilterType(filter));
    if (!written.empty())
        RememberDialogFolder(PictureDialog::Save, QString::fromStdString(written));
    PrintBitmap = Picture{};
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

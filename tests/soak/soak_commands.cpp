// The picture commands a soak plays: each through its button and the real
// dialog it opens, answered as a user would (a name typed and confirmed, or
// the dialog cancelled).

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "content/photo_loader.h"
#include "content/picture_commands.h"
#include "scene/scene_state.h"
#include "tests/soak/soak_driver.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/main_form.h"

namespace {

// Each picture added is a new file in the gallery's folder.
constexpr int MostGalleryAdds = 25;

} // namespace

// Clicks the button and plays `answer` on the dialog it opens. Whatever is
// still open afterwards (a question over the dialog, a dialog that did not
// take the name) is answered or cancelled, so no dialog outlives the action.
void SoakDriver::RunDialog(const char* button, const char* dialogName,
                           const std::function<void(QDialog*)>& answer) {
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            ++Questions;
            Chance(50) ? box->accept() : box->reject();
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return;
        if (answered || dialog->objectName() != dialogName) return dialog->reject();
        answered = true;
        // Answered after this poll returns: confirming may open a question
        // over the dialog, which the poll must be free to answer.
        QTimer::singleShot(0, dialog, [answer, dialog] { answer(dialog); });
    });
    poll.start(5);
    ClickButton(button);
}

void SoakDriver::OpenPhotoByDialog() {
    RunDialog("bfopen", "OpenPictureDialog1", [this](QDialog* dialog) {
        if (Chance(10)) return dialog->reject();
        ++PhotosOpened;
        TypeFileName(dialog, QString::fromStdString(AnyPhoto(true)));
    });
}

// When the file was last written, in nanoseconds; -1 while there is none.
int64_t WrittenAt(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    return error ? -1 : int64_t(time.time_since_epoch().count());
}

void SoakDriver::SaveInFolder() {
    const char* const names[] = {"saved.jpg", "saved.bmp", "saved.png", "again.jpg", "plain"};
    const std::string name = names[Random(0, 4)];
    // A name without an extension is saved as a JPEG.
    const std::string path = folder_.filePath(QString::fromStdString(name)).toStdString() +
                             (name == "plain" ? ".jpg" : "");
    const int64_t before = WrittenAt(path);
    const int width = PhotoWidth, height = PhotoHeight;
    RunDialog("bfsave", "SaveDialog1", [this, name](QDialog* dialog) {
        if (Chance(10)) return dialog->reject();
        ++Saves;
        TypeFileName(dialog, folder_.filePath(QString::fromStdString(name)));
    });
    CheckSavedPicture(path, before, width, height);
}

// A picture the save wrote must read back whole, at the size of the photo as
// it was shown.
void SoakDriver::CheckSavedPicture(const std::string& path, int64_t before, int width, int height) {
    if (!SaveFault.empty() || WrittenAt(path) == before) return;
    Picture picture;
    if (!ReadPhotoPicture(path, picture))
        SaveFault = path + " does not read back";
    else if (picture.Width != width || picture.Height != height)
        SaveFault = path + " reads back at " + std::to_string(picture.Width) + " x " +
                    std::to_string(picture.Height) + " for a photo of " + std::to_string(width) +
                    " x " + std::to_string(height);
}

// A session saved through the dialogs and opened again composes the very
// picture it was saved from. Each gets a name of its own, so no question
// about replacing a file comes between.
void SoakDriver::SaveAndReopenSession() {
    const QString name = folder_.filePath(QString("work-%1.ora").arg(++Sessions));
    Picture before;
    if (!ComposePicture(before)) return;
    RunDialog("bfsave", "SaveDialog1", [name](QDialog* dialog) { TypeFileName(dialog, name); });
    if (WrittenAt(name.toStdString()) == -1) return;
    RunDialog("bfopen", "OpenPictureDialog1",
              [name](QDialog* dialog) { TypeFileName(dialog, name); });
    Picture after;
    if (SaveFault.empty() && (!ComposePicture(after) || after.Pixels != before.Pixels))
        SaveFault = name.toStdString() + " does not compose as it was saved";
}

void SoakDriver::ClearAll() {
    ClickButton("bfdelete");
}

void SoakDriver::CancelPrint() {
    RunDialog("bprint", "PrintDialog1", [](QDialog* dialog) { dialog->reject(); });
}

void SoakDriver::AddToGallery() {
    // The gallery grows with every picture added; a user keeps it in bounds.
    if (GalleryAdds < MostGalleryAdds) {
        ++GalleryAdds;
        ClickButton("baddG");
    }
}

void SoakDriver::OpenGalleryByDialog() {
    RunDialog("bGallery", "OpenGalleryDialog", [this](QDialog* dialog) {
        if (Chance(20)) return dialog->reject();
        TypeFileName(dialog, folder_.filePath("gallery.ini"));
    });
}

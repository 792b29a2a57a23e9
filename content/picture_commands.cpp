#include "content/picture_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>

#include "content/content_messages.h"
#include "content/gallery_file.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "render/scene_capture.h"
#include "scene/frame_request.h"
#include "scene/history.h"
#include "scene/scene_state.h"

namespace {

constexpr int TextQuestionCaption = 40;
constexpr int TextErrorCaption = 41;
constexpr int TextSaveFailed = 82;
constexpr int TextPrintFailed = 83;
constexpr int TextClearQuestion = 84;
constexpr int TextNoGalleryPicture = 85;
constexpr int TextAddToGalleryFailed = 86;

// The gallery file last opened, so that Add writes to that very file.
std::string OpenedGalleryFile;

void ReportFailure(int text) {
    AskContentMessage(Lang(text), Lang(TextErrorCaption), MessageButtons::Ok, MessageIcon::Error);
}

bool FolderTakesPictures(const std::string& folder, const std::string& iniPath) {
    const QFileInfo dir(QString::fromStdString(folder));
    const QFileInfo ini(QString::fromStdString(iniPath));
    return dir.isDir() && dir.isWritable() && (!ini.exists() || (ini.isFile() && ini.isWritable()));
}

// A name not yet taken in the folder, named after the moment it is made.
std::string NewGalleryPictureName(const std::string& folder) {
    const QDir dir(QString::fromStdString(folder));
    const QString stem = "velmora-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    QString name = stem + ".jpg";
    for (int n = 2; dir.exists(name); ++n)
        name = stem + "-" + QString::number(n) + ".jpg";
    return name.toStdString();
}

// Shows the strip so that the newly added last picture is in view.
void ShowGalleryEnd() {
    const int shown = std::min(PhotoGallery.Count, GallerySlotCount);
    ShowGalleryFrom(PhotoGallery.Count - shown);
}

} // namespace

bool ComposePicture(Picture& out) {
    MakeCanvasCurrent();
    return CaptureComposedPicture(out);
}

std::string SavePicture(const Picture& picture, const std::string& typedPath,
                        PictureFileType chosenFilter) {
    const SaveTarget target = ChooseSaveTarget(typedPath, chosenFilter);
    if (!WritePictureFile(target.Path, picture, target.Type)) {
        ReportFailure(TextSaveFailed);
        return {};
    }
    return target.Path;
}

QRect FittedPictureRect(QSize picture, QRect area) {
    if (picture.isEmpty() || area.isEmpty()) return {};
    const QSize fitted = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return {area.x() + (area.width() - fitted.width()) / 2,
            area.y() + (area.height() - fitted.height()) / 2, fitted.width(), fitted.height()};
}

bool PrintPicture(QPrinter& printer, const Picture& picture) {
    const QImage image = QImageFromPicture(picture);
    QPainter painter;
    if (image.isNull() || !painter.begin(&printer)) {
        ReportFailure(TextPrintFailed);
        return false;
    }
    // Without full-page mode the painter's window is the printable area.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(FittedPictureRect(image.size(), painter.window()), image);
    if (!painter.end()) {
        ReportFailure(TextPrintFailed);
        return false;
    }
    return true;
}

bool ClearScene() {
    const MessageAnswer answer =
        AskContentMessage(Lang(TextClearQuestion), Lang(TextQuestionCaption), MessageButtons::YesNo,
                          MessageIcon::Question);
    if (answer != MessageAnswer::Yes) return false;
    BeginStep(StepKind::Clear, StepPart::Layers | StepPart::Paint | StepPart::Selection);
    LastLayer = -1;
    HoverLayer = -1;
    HoverCorner = 0;
    // An outline being drawn goes too: everything is selected again, as
    // after a double click on the selection button.
    if (ToolMode == Tool::Select) ToolMode = Tool::SelectionDone;
    SelectionLast = 0;
    MakeCanvasCurrent();
    ResetPaintLayer();
    EndStep();
    RequestFrame();
    return true;
}

bool OpenGallery(const std::string& iniPath) {
    if (!OpenGalleryFile(iniPath)) {
        ReportFailure(TextNoGalleryPicture);
        return false;
    }
    OpenedGalleryFile = iniPath;
    return true;
}

std::string UserGalleryFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return (data + "/gallery").toStdString();
}

std::string GalleryFileForAdding() {
    if (PhotoGallery.Count <= 0) return UserGalleryFolder() + "/gallery.ini";
    const QString opened = QString::fromStdString(OpenedGalleryFile);
    const bool sameFolder =
        !opened.isEmpty() && QFileInfo(opened).absolutePath().toStdString() == PhotoGallery.Folder;
    const std::string iniPath =
        sameFolder ? OpenedGalleryFile : PhotoGallery.Folder + "/gallery.ini";
    if (FolderTakesPictures(PhotoGallery.Folder, iniPath)) return iniPath;
    return UserGalleryFolder() + "/gallery.ini";
}

bool AddPictureToGallery(const Picture& picture) {
    const std::string iniPath = GalleryFileForAdding();
    const std::string folder =
        QFileInfo(QString::fromStdString(iniPath)).absolutePath().toStdString();
    const std::string name = NewGalleryPictureName(folder);
    const std::string path = folder + "/" + name;
    std::vector<std::string> names = ReadGalleryNames(iniPath);
    names.push_back(name);
    const bool added = QDir().mkpath(QString::fromStdString(folder)) &&
                       WritePictureFile(path, picture, PictureFileType::Jpeg);
    if (!added || !WriteGalleryNames(iniPath, names)) {
        // A picture the gallery does not list would only take up room.
        if (added) QFile::remove(QString::fromStdString(path));
        ReportFailure(TextAddToGalleryFailed);
        return false;
    }
    if (!OpenGalleryFile(iniPath)) {
        ReportFailure(TextAddToGalleryFailed);
        return false;
    }
    OpenedGalleryFile = iniPath;
    ShowGalleryEnd();
    return true;
}

#include "content/photo_gallery.h"

#include <QFileInfo>

#include "content/content_messages.h"
#include "content/gallery_file.h"
#include "content/photo_loader.h"
#include "platform/form_controls.h"
#include "platform/ini_file.h"
#include "platform/language.h"
#include "platform/picture_control.h"

TPhotoGallery PhotoGallery;

namespace {

constexpr int TextQuestionCaption = 40;
constexpr int TextReplacePhoto = 53;
// Miniatures are kept at twice the slot size, enough for a sharp picture on a
// high-density screen without holding whole photos in memory.
constexpr int MiniatureWidth = 2 * 68;
constexpr int MiniatureHeight = 2 * 75;

// Shows gallery picture `index` in `slot`; a picture that cannot be read
// leaves the slot empty.
void LoadGallerySlot(int slot, int index) {
    PictureControl* control = GetGallery(slot);
    if (!control) return;
    QImage miniature = ReadMiniature(GalleryFilePath(index));
    if (miniature.isNull())
        control->ClearPicture();
    else
        control->SetPicture(miniature);
}

// Slot `to` takes over the picture of slot `from`.
void MoveSlotPicture(int from, int to) {
    PictureControl* source = GetGallery(from);
    PictureControl* target = GetGallery(to);
    if (!target) return;
    if (source && source->HasPicture())
        target->SetPicture(source->Picture());
    else
        target->ClearPicture();
}

} // namespace

PictureControl* GetGallery(int slot) {
    if (slot < 0 || slot >= GallerySlotCount) return nullptr;
    return MainControls.GallerySlots[slot];
}

std::string GalleryFilePath(int index) {
    if (PhotoGallery.Count <= 0) return {};
    int wrapped = ((index % PhotoGallery.Count) + PhotoGallery.Count) % PhotoGallery.Count;
    if (wrapped >= int(PhotoGallery.Files.size())) return {};
    return PhotoGallery.Folder + "/" + PhotoGallery.Files[wrapped];
}

QImage ReadMiniature(const std::string& path) {
    Picture picture;
    // Only the miniature is shown: a large photo need not be decoded whole.
    if (!ReadPhotoPicture(path, picture, MaxPhotoSide)) return {};
    QImage image = QImageFromPicture(picture);
    if (image.width() > MiniatureWidth || image.height() > MiniatureHeight)
        image = image.scaled(MiniatureWidth, MiniatureHeight, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    return image;
}

void GalleryStepNext() {
    if (PhotoGallery.Count <= 4) return;
    if (++PhotoGallery.First >= PhotoGallery.Count) PhotoGallery.First = 0;
    for (int slot = 0; slot < GallerySlotCount - 1; ++slot)
        MoveSlotPicture(slot + 1, slot);
    LoadGallerySlot(GallerySlotCount - 1, PhotoGallery.First + GallerySlotCount - 1);
}

void GalleryStepPrevious() {
    if (PhotoGallery.Count <= 4) return;
    if (--PhotoGallery.First < 0) PhotoGallery.First += PhotoGallery.Count;
    for (int slot = GallerySlotCount - 1; slot > 0; --slot)
        MoveSlotPicture(slot - 1, slot);
    LoadGallerySlot(0, PhotoGallery.First);
}

void ChooseGalleryMiniature(int slot) {
    if (slot < 0 || PhotoGallery.Count <= slot) return;
    MessageAnswer answer = AskContentMessage(Lang(TextReplacePhoto), Lang(TextQuestionCaption),
                                             MessageButtons::YesNo, MessageIcon::Question);
    if (answer == MessageAnswer::Yes) OpenFoto(GalleryFilePath(PhotoGallery.First + slot));
}

bool OpenGalleryFile(const std::string& iniPath) {
    const std::string folder =
        QFileInfo(QString::fromStdString(iniPath)).absolutePath().toStdString();
    std::vector<std::string> files;
    for (std::string& name : ReadGalleryNames(iniPath))
        if (UsableGalleryPicture(folder + "/" + name)) files.push_back(std::move(name));
    if (files.empty()) return false;
    PhotoGallery.Folder = folder;
    PhotoGallery.Files = std::move(files);
    PhotoGallery.Count = int(PhotoGallery.Files.size());
    ShowGalleryFrom(0);
    return true;
}

void ShowGalleryFrom(int first) {
    if (PhotoGallery.Count <= 0) return;
    PhotoGallery.First = ((first % PhotoGallery.Count) + PhotoGallery.Count) % PhotoGallery.Count;
    for (int slot = 0; slot < GallerySlotCount; ++slot) {
        if (slot < PhotoGallery.Count)
            LoadGallerySlot(slot, PhotoGallery.First + slot);
        else if (PictureControl* control = GetGallery(slot))
            control->ClearPicture();
    }
}

void ResetPhotoGallery() {
    PhotoGallery = TPhotoGallery{};
    for (int slot = 0; slot < GallerySlotCount; ++slot)
        if (PictureControl* control = GetGallery(slot)) control->ClearPicture();
}

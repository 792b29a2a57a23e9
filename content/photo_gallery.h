#pragma once

#include <QImage>
#include <string>
#include <vector>

class PictureControl;

// The photo gallery: a list of picture files shown five at a time as
// miniatures above the canvas.
struct TPhotoGallery {
    std::string Folder;             // without a trailing separator
    std::vector<std::string> Files; // relative to Folder
    int Count = 0;
    int First = 0; // index in Files of the picture in slot 0
};
extern TPhotoGallery PhotoGallery;

constexpr int GallerySlotCount = 5;

// The miniature control of slot 0..4 (Image1, Image3, Image4, Image5, Image6);
// null where the window has not made it.
PictureControl* GetGallery(int slot);

// The arrows: move the strip by one picture, reading only the one picture
// that enters it. They do nothing while the gallery holds fewer than five.
void GalleryStepNext();
void GalleryStepPrevious();

// A click on a miniature: asks whether the photo should be replaced by that
// picture and, on yes, loads it from its file.
void ChooseGalleryMiniature(int slot);

// Reads a gallery file (see gallery_file.h). Empty names and pictures that
// are missing or unreadable are skipped. Fills the five miniatures from the
// first picture. False, with the gallery unchanged, when the file is missing
// or names no usable picture.
bool OpenGalleryFile(const std::string& iniPath);

// Shows the open gallery from picture `first` (taken modulo Count) on.
void ShowGalleryFrom(int first);

// The full path of gallery picture `index` (taken modulo Count).
std::string GalleryFilePath(int index);

// A miniature of a picture file, upright and no larger than a slot needs; a
// null image when the file cannot be read.
QImage ReadMiniature(const std::string& path);

// Back to the empty gallery of a fresh start (for tests).
void ResetPhotoGallery();

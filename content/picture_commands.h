#pragma once

#include <QRect>
#include <QSize>
#include <string>

#include "content/picture_writer.h"
#include "scene/picture.h"

class QPrinter;

// What the picture commands do once their dialogs have been answered. Each
// reports its own failures in a message box and changes nothing else then.

// The composed picture as saved, printed and added to the gallery (see
// CaptureComposedPicture), drawn with the canvas's context.
bool ComposePicture(Picture& out);

// Save: writes the picture where the save dialog's typed name and chosen
// filter say (ChooseSaveTarget). The path written, or empty on failure.
std::string SavePicture(const Picture& picture, const std::string& typedPath,
                        PictureFileType chosenFilter);

// Print: the picture as large as the page's printable area allows, its
// aspect ratio kept, centred.
QRect FittedPictureRect(QSize picture, QRect area);
bool PrintPicture(QPrinter& printer, const Picture& picture);

// Clear: asks first; on yes removes every tattoo layer, the paint layer and
// the selection. The photo stays. True when the scene was cleared.
bool ClearScene();

// Open gallery: reads the gallery file into the strip; a file without a
// usable picture is reported and the current gallery stays.
bool OpenGallery(const std::string& iniPath);

// Add picture to gallery: the picture becomes a new JPEG in the open
// gallery's folder, listed at the end of its gallery.ini, and the strip shows
// it. With no gallery open, or one in a folder this user cannot write to (an
// installed copy's), the user's own gallery is used and opened.
bool AddPictureToGallery(const Picture& picture);

// The user's own gallery: "gallery" in the program's data folder
// ($XDG_DATA_HOME/velmora, usually ~/.local/share/velmora). Made on first use.
std::string UserGalleryFolder();

// The gallery file Add picture to gallery writes to.
std::string GalleryFileForAdding();

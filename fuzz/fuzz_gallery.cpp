#include <fuzzer/FuzzedDataProvider.h>

#include "content/photo_gallery.h"
#include "fuzz/fuzz_support.h"

namespace {

void CheckGallery() {
    if (PhotoGallery.Count != int(PhotoGallery.Files.size())) std::abort();
    if (PhotoGallery.Count > 0 &&
        (PhotoGallery.First < 0 || PhotoGallery.First >= PhotoGallery.Count))
        std::abort();
}

} // namespace

// One input is a gallery file and the bytes of one picture, stored as
// "p.jpg", "p.png" and "p.bmp" beside it, which the file may name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string ini = input.ConsumeRandomLengthString(4096);
    const std::string picture = input.ConsumeRemainingBytesAsString();
    const std::string path = WriteFuzzFile("gallery/gallery.ini", ini);
    for (const char* name : {"gallery/p.jpg", "gallery/p.png", "gallery/p.bmp"})
        WriteFuzzFile(name, picture);
    ResetPhotoGallery();
    OpenGalleryFile(path);
    CheckGallery();
    for (int step = 0; step < 6; ++step)
        step % 2 ? GalleryStepPrevious() : GalleryStepNext();
    CheckGallery();
    ReadMiniature(GalleryFilePath(0));
    return 0;
}

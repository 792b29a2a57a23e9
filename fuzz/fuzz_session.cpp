#include <cstdlib>
#include <vector>

#include "content/photo_loader.h"
#include "content/session_file.h"
#include "fuzz/fuzz_support.h"

// What the reader accepts must be a scene the editor can take as it is.
void CheckScene(const SessionScene& scene) {
    if (!scene.Photo) std::abort();
    CheckDecoded(true, *scene.Photo);
    if (!PhotoWithinLimit(scene.Photo->Width, scene.Photo->Height)) std::abort();
    for (const SessionDesign& design : scene.Designs)
        if (!design.Pixels || !design.Pixels->HasAlpha()) std::abort();
    for (const SessionTattoo& tattoo : scene.Tattoos)
        if (tattoo.Design < 0 || tattoo.Design >= int(scene.Designs.size())) std::abort();
    if (!scene.Paint.Empty() &&
        (scene.Paint.Width != scene.Photo->Width || scene.Paint.Height != scene.Photo->Height))
        std::abort();
    if (scene.Selection.empty() || scene.Selection.size() > size_t(SelectionCapacity)) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    SessionScene scene;
    if (DecodeSession(bytes, scene) == SessionProblem::None) CheckScene(scene);
    return 0;
}

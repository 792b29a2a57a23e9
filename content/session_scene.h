#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/layer_capture.h"
#include "scene/picture.h"
#include "scene/scene_state.h"

// A scene as a session file holds it: everything the editor needs to go on
// with the work, apart from the GL. Taking one on the GUI thread copies only
// what may change later; the photo and the design pictures never change once
// made, and are shared.

using SharedPicture = std::shared_ptr<const Picture>;
using SharedBytes = std::shared_ptr<const std::vector<uint8_t>>;

// The session format this program writes; newer ones are refused.
constexpr int SessionFormatVersion = 1;

struct SessionDesign {
    SharedPicture Pixels;  // RGBA, top row first, as placed
    std::string GroupName; // catalog folder and design name; empty for a
    std::string ItemName;  // design that did not come from the catalog
};

struct SessionTattoo {
    TTattooLayer Layer; // its Texture is meaningless in a session
    int Design = 0;     // index into SessionScene::Designs
};

// Values of the editor's own that the session keeps beside the layers.
struct SessionView {
    float Zoom = 1;
    int32_t PanX = 0;
    int32_t PanY = 0;
    int32_t QuarterTurns = 0;
    uint8_t Tool = 0;
    uint8_t Colour[3] = {};
    std::string BrushSize;
};

struct SessionScene {
    SharedPicture Photo;     // upright RGB, the photo's own grid (not turned)
    SharedBytes PhotoFile;   // the file it came from, when there was one
    std::string PhotoSuffix; // that file's extension, with its point
    Picture Paint;           // RGBA over the photo's grid; empty when nothing is painted
    std::vector<TSelectionPoint> Selection; // 0..SelectionLast
    bool SelectionClosed = true;
    bool ClipToSelection = false; // the tattoos are hidden outside the selection
    std::vector<SessionDesign> Designs;
    std::vector<SessionTattoo> Tattoos; // bottom to top
    SessionView View;
    // The pictures as shown, which only the GL can draw: the composed picture
    // and each tattoo alone (same order as Tattoos; empty when off the photo).
    // An autosave does without them.
    Picture Merged;
    std::vector<LayerPicture> Shown;
};

// The photo in the scene and the file it came from; the photo loader tells
// them here whenever it replaces the photo.
void RememberScenePhoto(SharedPicture photo, SharedBytes file, const std::string& suffix);
// The picture of the design a texture was made from, for every texture a
// tattoo layer can use.
void RememberDesign(TextureName texture, SharedPicture pixels);
SharedPicture DesignOfTexture(TextureName texture);
void ForgetDesign(TextureName texture);

// Copies the scene from the editor's state (no GL needed, fast enough for the
// GUI thread). False without a photo.
bool TakeSessionScene(SessionScene& out);
// Adds the pictures as shown, drawn with the canvas's context.
bool DrawShownPictures(SessionScene& scene);

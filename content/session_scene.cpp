#include "content/session_scene.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "content/catalog.h"
#include "content/picture_commands.h"
#include "platform/canvas_context.h"
#include "tools/brush_size.h"
#include "tools/paint_color.h"

namespace {

struct ScenePhoto {
    SharedPicture Pixels;
    SharedBytes File;
    std::string Suffix;
};
ScenePhoto CurrentPhoto;

std::map<TextureName, SharedPicture> Designs;

// The catalog names of a layer placed from the catalog; empty otherwise.
void CatalogNames(const TTattooLayer& layer, SessionDesign& design) {
    if (layer.Group < 0 || layer.Group >= int(Groups.size())) return;
    const CatalogGroup& group = Groups[size_t(layer.Group)];
    if (layer.Item < 0 || layer.Item >= int(group.Items.size())) return;
    if (group.Items[size_t(layer.Item)].Texture != layer.Texture) return;
    design.GroupName = group.Name;
    design.ItemName = group.Items[size_t(layer.Item)].Name;
}

// The paint blocks over the photo's grid, joined into one picture.
Picture CopyPaint() {
    Picture paint{ImageWidth, ImageHeight, 4, {}};
    paint.Pixels.resize(size_t(paint.RowBytes()) * size_t(paint.Height));
    const int columns = std::min((ImageWidth + PaintTileSize - 1) / PaintTileSize, PaintTileCount);
    for (int y = 0; y < std::min(ImageHeight, PaintTileSize * PaintTileCount); ++y) {
        const int row = y / PaintTileSize + 1;
        const size_t inTile = size_t(y % PaintTileSize) * PaintTileSize * 4;
        uint8_t* to = paint.Pixels.data() + size_t(y) * size_t(paint.RowBytes());
        for (int column = 1; column <= columns; ++column) {
            const int width = std::min(PaintTileSize, ImageWidth - (column - 1) * PaintTileSize);
            std::memcpy(to + size_t(column - 1) * PaintTileSize * 4,
                        PaintPixels[column][row].Data + inTile, size_t(width) * 4);
        }
    }
    return paint;
}

void CopyTattoos(SessionScene& out) {
    std::map<TextureName, int> designIndex;
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        const TTattooLayer& layer = Layers[size_t(i)];
        auto found = designIndex.find(layer.Texture);
        if (found == designIndex.end()) {
            SessionDesign design{DesignOfTexture(layer.Texture), {}, {}};
            if (!design.Pixels) continue;
            CatalogNames(layer, design);
            found = designIndex.emplace(layer.Texture, int(out.Designs.size())).first;
            out.Designs.push_back(std::move(design));
        }
        out.Tattoos.push_back({layer, found->second});
    }
}

} // namespace

void RememberScenePhoto(SharedPicture photo, SharedBytes file, const std::string& suffix) {
    CurrentPhoto = {std::move(photo), std::move(file), suffix};
}

void RememberDesign(TextureName texture, SharedPicture pixels) {
    Designs[texture] = std::move(pixels);
}

// A texture made elsewhere is read back from the GL once, so that no tattoo
// is ever left out of a session.
SharedPicture DesignOfTexture(TextureName texture) {
    const auto found = Designs.find(texture);
    if (found != Designs.end()) return found->second;
    MakeCanvasCurrent();
    Picture pixels;
    if (!ReadDesignTexture(texture, pixels)) return nullptr;
    auto shared = std::make_shared<const Picture>(std::move(pixels));
    Designs[texture] = shared;
    return shared;
}

void ForgetDesign(TextureName texture) {
    Designs.erase(texture);
}

bool TakeSessionScene(SessionScene& out) {
    if (!CurrentPhoto.Pixels || CurrentPhoto.Pixels->Width != ImageWidth ||
        CurrentPhoto.Pixels->Height != ImageHeight)
        return false;
    out = SessionScene{};
    out.Photo = CurrentPhoto.Pixels;
    out.PhotoFile = CurrentPhoto.File;
    out.PhotoSuffix = CurrentPhoto.Suffix;
    out.Paint = CopyPaint();
    const int points = std::clamp(SelectionLast, 0, SelectionCapacity - 1);
    out.Selection.assign(SelectionPoints, SelectionPoints + points + 1);
    out.SelectionClosed = SelectionClosed;
    out.ClipToSelection = ClipToSelection;
    CopyTattoos(out);
    out.View = {Zoom,         PanX,     PanY,
                QuarterTurns, ToolMode, {PaintColor.R, PaintColor.G, PaintColor.B},
                BrushSizeText};
    return true;
}

bool DrawShownPictures(SessionScene& scene) {
    if (!ComposePicture(scene.Merged)) return false;
    MakeCanvasCurrent();
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    scene.Shown.assign(scene.Tattoos.size(), {});
    for (int i = 0, k = 0; i <= last && k < int(scene.Tattoos.size()); ++i) {
        if (!DesignOfTexture(Layers[size_t(i)].Texture)) continue;
        CaptureTattooLayer(i, scene.Shown[size_t(k++)]);
    }
    return true;
}

#include "content/dropped_design.h"

#include <GL/gl.h>
#include <QImage>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/png_codec.h"
#include "content/session_scene.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "render/gl_canvas.h"
#include "render/ink_texture.h"
#include "scene/frame_request.h"
#include "scene/history.h"

namespace {

constexpr int TextDesignUnreadable = 81;
constexpr int TextErrorCaption = 41;
constexpr float MaxShownSide = 256;

// The textures made for dropped designs. A layer holds no reference to its
// texture's owner, so the ones no layer and no step of the history uses any
// more are deleted before the next is made and when steps are dropped.
struct DroppedTexture {
    TextureName Name = 0;
    size_t Bytes = 0; // RGBA with its mipmaps
};
std::vector<DroppedTexture> DroppedTextures;

size_t DesignTextureBytes(const Picture& picture) {
    // The mipmaps below the picture add a third to it.
    return size_t(picture.Width) * picture.Height * 4 * 4 / 3;
}

bool UsedByLayer(TextureName texture) {
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    for (int i = 0; i <= last; ++i)
        if (Layers[i].Texture == texture) return true;
    return false;
}

size_t TexturesKeptForHistory() {
    size_t bytes = 0;
    for (const DroppedTexture& texture : DroppedTextures)
        if (!UsedByLayer(texture.Name)) bytes += texture.Bytes;
    return bytes;
}

// A picture over the texture limit, scaled down with its aspect kept.
Picture WithinTextureLimit(const Picture& picture) {
    if (picture.Width <= MaxDroppedDesignSide && picture.Height <= MaxDroppedDesignSide)
        return picture;
    const QImage view(picture.Pixels.data(), picture.Width, picture.Height, picture.RowBytes(),
                      QImage::Format_RGBA8888);
    const QImage scaled = view.scaled(MaxDroppedDesignSide, MaxDroppedDesignSide,
                                      Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Picture out{scaled.width(), scaled.height(), 4, {}};
    out.Pixels.resize(size_t(out.RowBytes()) * out.Height);
    for (int y = 0; y < out.Height; ++y)
        std::memcpy(out.Pixels.data() + size_t(y) * out.RowBytes(), scaled.constScanLine(y),
                    out.RowBytes());
    return out;
}

bool ReadDesign(const std::string& path, Picture& out) {
    Picture picture;
    if (!DecodePngFile(path, picture)) return false;
    out = WithinTextureLimit(DesignWithAlpha(picture));
    return !out.Empty();
}

} // namespace

bool TextureInUse(TextureName texture) {
    return UsedByLayer(texture) || HistoryUsesTexture(texture);
}

void AdoptDesignTexture(TextureName texture, size_t bytes) {
    HistoryStepsDropped = DeleteUnusedDroppedTextures;
    HistoryTextureBytes = TexturesKeptForHistory;
    DroppedTextures.push_back({texture, bytes});
}

void DeleteUnusedDroppedTextures() {
    if (DroppedTextures.empty()) return;
    MakeCanvasCurrent();
    std::erase_if(DroppedTextures, [](const DroppedTexture& texture) {
        if (TextureInUse(texture.Name)) return false;
        ForgetInkTexture(texture.Name);
        glDeleteTextures(1, &texture.Name);
        // The name may come back for another picture.
        ForgetDesign(texture.Name);
        return true;
    });
}

void PlaceDroppedCorners(int32_t x, int32_t y, float shownWidth, float shownHeight,
                         TLayerCorner (&corners)[4]) {
    const TattooPlace view = CurrentTattooPlace();
    const float cx = (x + view.PanX - view.CenterX) / view.Zoom;
    const float cy = (y + view.PanY - view.CenterY) / view.Zoom;
    const float halfW = shownWidth / 2 / view.Zoom;
    const float halfH = shownHeight / 2 / view.Zoom;
    // The texture holds its rows bottom first: V grows upwards.
    corners[0] = {cx - halfW, cy + halfH, 0, 0};
    corners[1] = {cx + halfW, cy + halfH, 1, 0};
    corners[2] = {cx + halfW, cy - halfH, 1, 1};
    corners[3] = {cx - halfW, cy - halfH, 0, 1};
}

bool AddDroppedDesign(const std::string& path, int32_t x, int32_t y) {
    if (PhotoWidth <= 0 || PhotoHeight <= 0) return false;
    Picture picture;
    if (!ReadDesign(path, picture)) {
        AskContentMessage(Lang(TextDesignUnreadable), Lang(TextErrorCaption), MessageButtons::Ok,
                          MessageIcon::Error);
        return false;
    }
    const float scale = std::min(0.5f, MaxShownSide / std::max(picture.Width, picture.Height));
    const TextureName texture = AddDesignTexture(picture);
    BeginStep(StepKind::AddTattoo, StepPart::Layers);
    TTattooLayer& layer = Layers[AddLayer()];
    layer.Visible = true;
    layer.Group = DroppedDesignGroup;
    layer.Item = DroppedDesignGroup;
    layer.Texture = texture;
    layer.Alpha = 255;
    layer.InkLook = InkLookForNew;
    PlaceDroppedCorners(x, y, picture.Width * scale, picture.Height * scale, layer.Corners);
    EndStep();
    RequestFrame();
    return true;
}

TextureName AddDesignTexture(const Picture& picture) {
    return AddDesignTexture(std::make_shared<const Picture>(picture));
}

TextureName AddDesignTexture(std::shared_ptr<const Picture> pixels) {
    DeleteUnusedDroppedTextures();
    const TextureName texture = UploadTexture(1, *pixels, true);
    AdoptDesignTexture(texture, DesignTextureBytes(*pixels));
    RememberDesign(texture, std::move(pixels));
    return texture;
}

int DroppedDesignTextureCount() {
    return static_cast<int>(DroppedTextures.size());
}

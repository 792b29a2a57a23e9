#include "content/catalog.h"

#include <GL/gl.h>
#include <QLabel>
#include <memory>

#include "content/content_messages.h"
#include "content/dropped_design.h"
#include "content/png_codec.h"
#include "content/session_scene.h"
#include "platform/canvas_context.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "render/ink_texture.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"
#include "scene/history.h"

int32_t GroupCount = 0;
std::vector<CatalogGroup> Groups;
int32_t CurrentGroup = 0;
int32_t ItemStep = 0;
int32_t CurrentItem = 0;

namespace {

constexpr int TextDesignUnreadable = 81;
constexpr int TextErrorCaption = 41;

CatalogGroup* ShownGroup() {
    if (CurrentGroup < 0 || CurrentGroup >= GroupCount || CurrentGroup >= int32_t(Groups.size()))
        return nullptr;
    return &Groups[CurrentGroup];
}

CatalogItem* ShownGroupItem(int k) {
    CatalogGroup* group = ShownGroup();
    if (!group || k < 0 || k >= group->ItemCount || k >= int32_t(group->Items.size()))
        return nullptr;
    return &group->Items[k];
}

void ShowCatalogPicture(const std::string& groupName, const QImage* miniature) {
    if (MainControls.GroupName) MainControls.GroupName->setText(QString::fromStdString(groupName));
    if (!MainControls.Image2) return;
    if (miniature && !miniature->isNull())
        MainControls.Image2->SetPicture(*miniature);
    else
        MainControls.Image2->ClearPicture();
}

bool DesignSideUsable(int64_t side) {
    return side > 0 && side <= MaxDesignSide;
}

// The design's size in the group file and its picture's size in the PNG
// header are checked before a pixel is decoded.
bool ReadDesignPicture(const CatalogGroup& group, const CatalogItem& item, Picture& picture) {
    const std::string path = DesignPicturePath(group, item);
    int32_t width = 0, height = 0;
    return DesignSideUsable(item.Width) && DesignSideUsable(item.Height) &&
           ReadPngSize(path, width, height) && DesignSideUsable(width) &&
           DesignSideUsable(height) && DecodePngFile(path, picture);
}

} // namespace

Picture DesignWithAlpha(const Picture& picture) {
    if (picture.HasAlpha()) return picture;
    Picture widened{picture.Width, picture.Height, 4, {}};
    widened.Pixels.reserve(size_t(picture.Width) * picture.Height * 4);
    for (size_t i = 0; i + 2 < picture.Pixels.size(); i += 3) {
        widened.Pixels.insert(widened.Pixels.end(), &picture.Pixels[i], &picture.Pixels[i] + 3);
        widened.Pixels.push_back(255);
    }
    return widened;
}

namespace {

// How many catalog designs keep their texture while nothing uses them. A
// 1024-pixel design holds over 5 MB of texture with its mipmaps, and its
// picture again for sessions, so a user browsing the whole catalog would
// otherwise keep every design they ever placed.
constexpr int MaxIdleDesignTextures = 8;

int IdleDesignTextures() {
    int idle = 0;
    for (const CatalogGroup& group : Groups)
        for (const CatalogItem& item : group.Items)
            if (item.Loaded && !TextureInUse(item.Texture)) ++idle;
    return idle;
}

// Deletes the textures of the designs no layer and no step of the history
// uses; they are made again from their files when next placed.
void FreeIdleDesignTextures() {
    if (IdleDesignTextures() < MaxIdleDesignTextures) return;
    MakeCanvasCurrent();
    for (CatalogGroup& group : Groups)
        for (CatalogItem& item : group.Items) {
            if (!item.Loaded || TextureInUse(item.Texture)) continue;
            ForgetInkTexture(item.Texture);
            ForgetDesign(item.Texture);
            glDeleteTextures(1, &item.Texture);
            item.Loaded = false;
            item.Texture = 0;
        }
}

// Makes the design's texture on its first placement; every later layer of the
// design shares it. A design whose miniature could not be read shows an empty
// slot, and a click on it does nothing.
bool EnsureDesignTexture(const CatalogGroup& group, CatalogItem& item) {
    if (item.Loaded) return true;
    if (item.Miniature.isNull()) return false;
    Picture picture;
    if (!ReadDesignPicture(group, item, picture)) {
        AskContentMessage(Lang(TextDesignUnreadable), Lang(TextErrorCaption), MessageButtons::Ok,
                          MessageIcon::Error);
        return false;
    }
    FreeIdleDesignTextures();
    auto pixels = std::make_shared<const Picture>(DesignWithAlpha(picture));
    item.Texture = UploadTexture(1, *pixels, true);
    // A session stores the picture a layer was made from.
    RememberDesign(item.Texture, std::move(pixels));
    item.Loaded = true;
    return true;
}

void StepGroup(int delta) {
    if (GroupCount > 0) {
        CurrentGroup += delta;
        if (CurrentGroup > GroupCount - 1) CurrentGroup -= GroupCount;
        if (CurrentGroup < 0) CurrentGroup += GroupCount;
        ItemStep = 0;
    }
    ShowMiniatures();
}

void StepItem(int delta) {
    CatalogGroup* group = ShownGroup();
    if (!group || group->ItemCount <= 0) return;
    ItemStep += delta;
    ShowMiniatures();
}

} // namespace

void ShowMiniatures() {
    CatalogGroup* group = ShownGroup();
    if (!group) {
        CurrentItem = 0;
        ShowCatalogPicture({}, nullptr);
        return;
    }
    if (ItemStep <= 0) ItemStep += group->ItemCount;
    CatalogItem* item = nullptr;
    CurrentItem = 0;
    if (group->ItemCount > 0) {
        CurrentItem = ((ItemStep % group->ItemCount) + group->ItemCount) % group->ItemCount;
        item = ShownGroupItem(CurrentItem);
    }
    ShowCatalogPicture(group->Name, item ? &item->Miniature : nullptr);
}

void PrevCatalogItem() {
    StepItem(-1);
}
void NextCatalogItem() {
    StepItem(1);
}
void NextCatalogGroup() {
    StepGroup(1);
}
void PrevCatalogGroup() {
    StepGroup(-1);
}

void Image2Click() {
    AddTattoo(CurrentItem);
    ToolMode = Tool::Move;
    RequestFrame();
}

void PlaceTattooCorners(int32_t w, int32_t h, const TattooPlace& view, TLayerCorner (&corners)[4]) {
    // The middle of the view in zoomed layer space: the canvas transform adds
    // the centring offsets back, so they come off here.
    double cx = view.PanX + view.ViewWidth / 2.0 - view.CenterX;
    double cy = view.PanY + view.ViewHeight / 2.0 - view.CenterY;
    const float zoom = view.Zoom;
    double halfW = w / 4.0, halfH = h / 4.0;
    double left = (cx - halfW) / zoom, right = (cx + halfW) / zoom;
    double bottom = (cy + halfH) / zoom, top = (cy - halfH) / zoom;
    float uLow = float((256 - w / 2.0) / 512), uHigh = float((256 + w / 2.0) / 512);
    float vLow = float((256 - h / 2.0) / 512), vHigh = float((256 + h / 2.0) / 512);
    corners[0] = {float(left), float(bottom), uLow, vLow};
    corners[1] = {float(right), float(bottom), uHigh, vLow};
    corners[2] = {float(right), float(top), uHigh, vHigh};
    corners[3] = {float(left), float(top), uLow, vHigh};
}

std::string DesignPicturePath(const CatalogGroup& group, const CatalogItem& item) {
    if (!group.Folder.empty()) return group.Folder + "/" + item.Name + ".png";
    return ProgramFolder + "data/" + group.Name + "/" + item.Name + ".png";
}

TattooPlace CurrentTattooPlace() {
    return {PanX,
            PanY,
            ViewWidth,
            ViewHeight,
            CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom),
            CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom),
            Zoom};
}

void AddTattoo(int k) {
    if (PhotoWidth <= 0 || PhotoHeight <= 0) return;
    CatalogItem* item = ShownGroupItem(k);
    if (!item || !EnsureDesignTexture(Groups[CurrentGroup], *item)) return;
    BeginStep(StepKind::AddTattoo, StepPart::Layers);
    TTattooLayer& layer = Layers[AddLayer()];
    layer.Visible = true;
    layer.Group = CurrentGroup;
    layer.Item = k;
    layer.Texture = item->Texture;
    layer.Alpha = 255;
    layer.InkLook = InkLookForNew;
    PlaceTattooCorners(item->Width, item->Height, CurrentTattooPlace(), layer.Corners);
    EndStep();
    RequestFrame();
}

void ResetCatalog() {
    GroupCount = 0;
    Groups.clear();
    CurrentGroup = 0;
    ItemStep = 0;
    CurrentItem = 0;
}

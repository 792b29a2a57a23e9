#include "content/session_open.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <fstream>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/dropped_design.h"
#include "content/photo_loader.h"
#include "content/picture_types.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "render/tile_drawing.h"
#include "scene/frame_request.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/brush_size.h"
#include "tools/paint_color.h"
#include "tools/photo_view.h"

#include <QLabel>

namespace {

constexpr int TextErrorCaption = 41;
// One text, its parts in the order of SessionProblem from NotASession on,
// then the failed save.
constexpr int TextSessionProblems = 62;
constexpr int TextSessionSaveFailed = 63;
constexpr unsigned SessionStepParts =
    StepPart::Layers | StepPart::Paint | StepPart::Selection | StepPart::View | StepPart::Photo;

std::string TextPart(int text, int part) {
    const QStringList parts = QString::fromStdString(Lang(text)).split('|');
    return parts.value(std::clamp(part, 0, int(parts.size()) - 1)).trimmed().toStdString();
}

// The catalog's texture for a design that came from it and is still there;
// otherwise a texture of the copy in the session.
TextureName DesignTexture(const SessionDesign& design, int32_t& group, int32_t& item) {
    for (size_t g = 0; g < Groups.size() && !design.GroupName.empty(); ++g) {
        if (Groups[g].Name != design.GroupName) continue;
        for (size_t i = 0; i < Groups[g].Items.size(); ++i) {
            CatalogItem& entry = Groups[g].Items[i];
            if (entry.Name != design.ItemName || !entry.Loaded) continue;
            group = int32_t(g);
            item = int32_t(i);
            return entry.Texture;
        }
    }
    group = item = DroppedDesignGroup;
    return AddDesignTexture(design.Pixels);
}

void PlaceTattoos(const SessionScene& scene) {
    // Every texture is made before the layers are: the unused dropped ones
    // are dropped on the way, and none of the new ones may be among them.
    LastLayer = -1;
    std::vector<TextureName> textures;
    std::vector<std::pair<int32_t, int32_t>> names;
    for (const SessionDesign& design : scene.Designs) {
        int32_t group = 0, item = 0;
        textures.push_back(DesignTexture(design, group, item));
        names.emplace_back(group, item);
        // A later design's texture must not delete this one as unused.
        Layers[size_t(AddLayer())].Texture = textures.back();
    }
    LastLayer = -1;
    for (const SessionTattoo& tattoo : scene.Tattoos) {
        TTattooLayer& layer = Layers[size_t(AddLayer())];
        layer = tattoo.Layer;
        layer.Texture = textures[size_t(tattoo.Design)];
        const bool fromCatalog = names[size_t(tattoo.Design)].first != DroppedDesignGroup;
        if (!fromCatalog) layer.Group = layer.Item = DroppedDesignGroup;
    }
}

void PutPaint(const Picture& paint) {
    if (paint.Empty()) return;
    for (int y = 0; y < paint.Height; ++y) {
        const int row = y / PaintTileSize + 1;
        const uint8_t* from = paint.Pixels.data() + size_t(y) * size_t(paint.RowBytes());
        for (int x0 = 0; x0 < paint.Width; x0 += PaintTileSize) {
            const int column = x0 / PaintTileSize + 1;
            const int width = std::min(PaintTileSize, paint.Width - x0);
            std::memcpy(PaintPixels[column][row].Data +
                            size_t(y % PaintTileSize) * PaintTileSize * 4,
                        from + size_t(x0) * 4, size_t(width) * 4);
            PaintTiles[column][row].Dirty = true;
        }
    }
    ForgetBlankPaintTiles();
}

// The mask follows from the polygon's fixed edges: all of them once it is
// closed, all but the one still following the pointer while it is drawn.
void PutSelection(const SessionScene& scene) {
    const int last = std::min<int>(int(scene.Selection.size()) - 1, SelectionCapacity - 1);
    std::copy_n(scene.Selection.begin(), last + 1, SelectionPoints);
    SelectionLast = last;
    SelectionClosed = scene.SelectionClosed;
    ClipToSelection = scene.ClipToSelection;
    if (last <= 0) {
        SelectWholeMask();
        return;
    }
    ClearSelectionMask();
    const int fixed = SelectionClosed ? last : last - 1;
    for (int i = 1; i <= fixed; ++i)
        ToggleSelectionEdge(SelectionPoints[i - 1].X, SelectionPoints[i - 1].Y,
                            SelectionPoints[i].X, SelectionPoints[i].Y);
}

void PutView(const SessionView& view) {
    QuarterTurns = view.QuarterTurns;
    const bool even = QuarterTurns % 2 == 0;
    PhotoWidth = even ? ImageWidth : ImageHeight;
    PhotoHeight = even ? ImageHeight : ImageWidth;
    Zoom = view.Zoom;
    OverflowX = OverflowY = 0;
    UpdateScrollRangeX();
    UpdateScrollRangeY();
    SetScrollPositionX(view.PanX);
    SetScrollPositionY(view.PanY);
    if (MainControls.ZoomLabel)
        MainControls.ZoomLabel->setText(QString::fromStdString(ZoomCaption(Zoom)));
    ToolMode = view.Tool;
    PaintColor = {view.Colour[0], view.Colour[1], view.Colour[2]};
    BrushSizeText = view.BrushSize;
    BrushSizeApplied = false;
}

} // namespace

std::string SessionProblemText(SessionProblem problem) {
    return TextPart(TextSessionProblems, int(problem) - int(SessionProblem::NotASession));
}

bool ReadSessionBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    if (!IsRegularFile(path)) return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? std::streamoff(file.tellg()) : -1;
    if (size <= 0 || size > MaxSessionFileBytes) return false;
    bytes.resize(size_t(size));
    file.seekg(0);
    return bool(file.read(reinterpret_cast<char*>(bytes.data()), size));
}

void ApplySessionScene(const SessionScene& scene) {
    // Opening a session over a scene is one step, as opening a photo is: its
    // undo brings the whole scene before it back.
    const bool step = PhotoWidth > 0 && PhotoHeight > 0 && !CurrentPhoto.Empty();
    if (step) BeginStep(StepKind::OpenPhoto, SessionStepParts);
    ReplaceScenePhoto(scene.Photo);
    RememberScenePhoto(scene.Photo, scene.PhotoFile, scene.PhotoSuffix);
    PlaceTattoos(scene);
    PutPaint(scene.Paint);
    PutSelection(scene);
    PutView(scene.View);
    if (step) EndStep();
    RequestFrame();
}

bool OpenSessionFile(const std::string& path) {
    SessionScene scene;
    const SessionProblem problem = DecodeSessionFile(path, scene);
    if (problem != SessionProblem::None) {
        AskContentMessage(SessionProblemText(problem), Lang(TextErrorCaption), MessageButtons::Ok,
                          MessageIcon::Error);
        return false;
    }
    ApplySessionScene(scene);
    return true;
}

std::string SaveSessionFile(const std::string& path) {
    std::string target = path;
    if (LowerExtension(target).empty()) target += SessionSuffix;
    SessionScene scene;
    std::string error;
    if (!TakeSessionScene(scene) || !DrawShownPictures(scene) ||
        !WriteSessionFile(target, scene, error)) {
        AskContentMessage(Lang(TextSessionSaveFailed), Lang(TextErrorCaption), MessageButtons::Ok,
                          MessageIcon::Error);
        return {};
    }
    return target;
}

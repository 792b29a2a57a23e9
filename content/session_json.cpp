#include "content/session_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "tools/brush_size.h"

namespace {

// The fields of one tattoo. Adding a field of TTattooLayer to sessions is
// one line in one of these tables; a file without the field leaves the
// layer's default.
template <class T> struct TattooField {
    const char* Name;
    T TTattooLayer::*Member;
};
const TattooField<bool> TattooFlags[] = {{"visible", &TTattooLayer::Visible},
                                         {"inkLook", &TTattooLayer::InkLook}};
const TattooField<int32_t> TattooNumbers[] = {{"group", &TTattooLayer::Group},
                                              {"item", &TTattooLayer::Item}};
const TattooField<uint8_t> TattooBytes[] = {{"alpha", &TTattooLayer::Alpha}};

// Coordinates beyond this are no real placement, only a broken file.
constexpr double MaxCoordinate = 1e6;
constexpr double MaxZoom = 1000;
constexpr int CornerValues = 16;
constexpr int MaxCatalogIndex = 1000000;

QJsonArray Corners(const TTattooLayer& layer) {
    QJsonArray values;
    for (const TLayerCorner& corner : layer.Corners)
        for (const float value : {corner.X, corner.Y, corner.U, corner.V})
            values.append(double(value));
    return values;
}

QJsonObject TattooJson(const SessionTattoo& tattoo) {
    QJsonObject object{{"design", tattoo.Design}, {"corners", Corners(tattoo.Layer)}};
    for (const auto& field : TattooFlags)
        object[field.Name] = tattoo.Layer.*field.Member;
    for (const auto& field : TattooNumbers)
        object[field.Name] = tattoo.Layer.*field.Member;
    for (const auto& field : TattooBytes)
        object[field.Name] = int(tattoo.Layer.*field.Member);
    return object;
}

QJsonObject ViewJson(const SessionView& view) {
    return {{"zoom", double(view.Zoom)},
            {"panX", view.PanX},
            {"panY", view.PanY},
            {"quarterTurns", view.QuarterTurns},
            {"tool", int(view.Tool)},
            {"colour", QJsonArray{view.Colour[0], view.Colour[1], view.Colour[2]}},
            {"brushSize", QString::fromStdString(view.BrushSize)}};
}

QJsonObject SelectionJson(const SessionScene& scene) {
    QJsonArray points;
    for (const TSelectionPoint& point : scene.Selection) {
        points.append(point.X);
        points.append(point.Y);
    }
    return {{"closed", scene.SelectionClosed},
            {"clipTattoos", scene.ClipToSelection},
            {"points", points}};
}

bool Number(const QJsonValue& value, double low, double high, double& out) {
    if (!value.isDouble()) return false;
    out = value.toDouble();
    return std::isfinite(out) && out >= low && out <= high;
}

template <class T> bool Integer(const QJsonValue& value, double low, double high, T& out) {
    double number = 0;
    if (!Number(value, low, high, number) || number != std::floor(number)) return false;
    out = T(number);
    return true;
}

bool ReadCorners(const QJsonValue& value, TTattooLayer& layer) {
    const QJsonArray values = value.toArray();
    if (values.size() != CornerValues) return false;
    for (int k = 0; k < CornerValues; ++k) {
        double number = 0;
        if (!Number(values[k], -MaxCoordinate, MaxCoordinate, number)) return false;
        TLayerCorner& corner = layer.Corners[k / 4];
        float* parts[] = {&corner.X, &corner.Y, &corner.U, &corner.V};
        *parts[k % 4] = float(number);
    }
    return true;
}

// A missing field keeps the default; a field of the wrong kind breaks the file.
bool ReadTattoo(const QJsonObject& object, int designs, SessionTattoo& tattoo) {
    if (!Integer(object["design"], 0, designs - 1, tattoo.Design)) return false;
    if (!ReadCorners(object["corners"], tattoo.Layer)) return false;
    for (const auto& field : TattooFlags) {
        const QJsonValue value = object[field.Name];
        if (!value.isUndefined() && !value.isBool()) return false;
        tattoo.Layer.*field.Member = value.toBool(tattoo.Layer.*field.Member);
    }
    for (const auto& field : TattooNumbers)
        if (object.contains(field.Name) &&
            !Integer(object[field.Name], -1, MaxCatalogIndex, tattoo.Layer.*field.Member))
            return false;
    for (const auto& field : TattooBytes)
        if (object.contains(field.Name) &&
            !Integer(object[field.Name], 0, 255, tattoo.Layer.*field.Member))
            return false;
    return true;
}

bool KnownTool(int tool) {
    return (tool >= Tool::Move && tool <= Tool::Select) || tool == Tool::SelectionDone;
}

bool ReadView(const QJsonObject& object, SessionView& view) {
    double zoom = 0;
    int tool = 0;
    const QJsonArray colour = object["colour"].toArray();
    view.BrushSize = object["brushSize"].toString().toStdString();
    if (!Number(object["zoom"], 0, MaxZoom, zoom) || zoom <= 0 ||
        !Integer(object["panX"], -MaxCoordinate, MaxCoordinate, view.PanX) ||
        !Integer(object["panY"], -MaxCoordinate, MaxCoordinate, view.PanY) ||
        !Integer(object["quarterTurns"], 0, 3, view.QuarterTurns) ||
        !Integer(object["tool"], 0, 255, tool) || !KnownTool(tool) || colour.size() != 3 ||
        !BrushSizeTextAccepted(view.BrushSize))
        return false;
    view.Zoom = float(zoom);
    view.Tool = uint8_t(tool);
    for (int c = 0; c < 3; ++c)
        if (!Integer(colour[c], 0, 255, view.Colour[c])) return false;
    return true;
}

bool ReadSelection(const QJsonObject& object, SessionScene& scene) {
    const QJsonArray points = object["points"].toArray();
    if (!object["closed"].isBool() || points.isEmpty() || points.size() % 2 != 0 ||
        points.size() / 2 > SelectionCapacity)
        return false;
    scene.SelectionClosed = object["closed"].toBool();
    // Sessions written before the clip existed have none.
    const QJsonValue clip = object["clipTattoos"];
    if (!clip.isUndefined() && !clip.isBool()) return false;
    scene.ClipToSelection = clip.toBool(false);
    scene.Selection.resize(size_t(points.size() / 2));
    for (qsizetype i = 0; i < points.size(); i += 2) {
        TSelectionPoint& point = scene.Selection[size_t(i / 2)];
        if (!Integer(points[i], -MaxCoordinate, MaxCoordinate, point.X) ||
            !Integer(points[i + 1], -MaxCoordinate, MaxCoordinate, point.Y))
            return false;
    }
    return true;
}

bool ReadEntryName(const QJsonValue& value, std::string& out) {
    if (!value.isString()) return false;
    out = value.toString().toStdString();
    return !out.empty();
}

bool ReadDesigns(const QJsonArray& designs, SessionScene& scene, SessionIndex& index) {
    for (const QJsonValue& value : designs) {
        const QJsonObject object = value.toObject();
        SessionDesign design;
        design.GroupName = object["group"].toString().toStdString();
        design.ItemName = object["item"].toString().toStdString();
        std::string entry;
        if (!ReadEntryName(object["file"], entry)) return false;
        index.DesignEntries.push_back(entry);
        scene.Designs.push_back(std::move(design));
    }
    return true;
}

bool ReadPhoto(const QJsonObject& photo, SessionIndex& index) {
    index.PhotoSuffix = photo["suffix"].toString().toStdString();
    return ReadEntryName(photo["file"], index.PhotoEntry) &&
           Integer(photo["width"], 1, 1e5, index.PhotoWidth) &&
           Integer(photo["height"], 1, 1e5, index.PhotoHeight);
}

bool ReadBody(const QJsonObject& root, SessionScene& scene, SessionIndex& index) {
    if (root.contains("paint") && !ReadEntryName(root["paint"], index.PaintEntry)) return false;
    if (!ReadPhoto(root["photo"].toObject(), index) ||
        !ReadDesigns(root["designs"].toArray(), scene, index) ||
        !ReadSelection(root["selection"].toObject(), scene) ||
        !ReadView(root["view"].toObject(), scene.View))
        return false;
    for (const QJsonValue& value : root["tattoos"].toArray()) {
        SessionTattoo tattoo;
        if (!ReadTattoo(value.toObject(), int(scene.Designs.size()), tattoo)) return false;
        scene.Tattoos.push_back(tattoo);
    }
    return true;
}

} // namespace

std::string SessionPhotoEntry(const std::string& suffix) {
    std::string name = "velmora/photo";
    name += suffix.empty() ? std::string(".png") : suffix;
    return name;
}

std::string SessionDesignEntry(int index) {
    std::string name = "velmora/design-";
    name += std::to_string(index);
    name += ".png";
    return name;
}

QByteArray SessionJson(const SessionScene& scene, bool painted) {
    const bool ownFile = scene.PhotoFile && !scene.PhotoSuffix.empty();
    const std::string suffix = ownFile ? scene.PhotoSuffix : std::string();
    QJsonObject root{
        {"format", SessionFormatVersion},
        {"photo", QJsonObject{{"file", QString::fromStdString(SessionPhotoEntry(suffix))},
                              {"suffix", QString::fromStdString(suffix)},
                              {"width", scene.Photo->Width},
                              {"height", scene.Photo->Height}}},
        {"selection", SelectionJson(scene)},
        {"view", ViewJson(scene.View)}};
    if (painted) root["paint"] = SessionPaintEntry;
    QJsonArray designs;
    for (size_t i = 0; i < scene.Designs.size(); ++i)
        designs.append(QJsonObject{{"file", QString::fromStdString(SessionDesignEntry(int(i)))},
                                   {"group", QString::fromStdString(scene.Designs[i].GroupName)},
                                   {"item", QString::fromStdString(scene.Designs[i].ItemName)}});
    root["designs"] = designs;
    QJsonArray tattoos;
    for (const SessionTattoo& tattoo : scene.Tattoos)
        tattoos.append(TattooJson(tattoo));
    root["tattoos"] = tattoos;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SessionJsonProblem ParseSessionJson(const QByteArray& text, SessionScene& scene,
                                    SessionIndex& index) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return SessionJsonProblem::Broken;
    const QJsonObject root = document.object();
    if (!Integer(root["format"], 1, 1e9, index.Version)) return SessionJsonProblem::Broken;
    if (index.Version > SessionFormatVersion) return SessionJsonProblem::Newer;
    return ReadBody(root, scene, index) ? SessionJsonProblem::None : SessionJsonProblem::Broken;
}

#include "content/own_designs.h"

#include <GL/gl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>

#include "content/atomic_file.h"
#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/dropped_design.h"
#include "content/jpeg_codec.h"
#include "content/photo_loader.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "scene/frame_request.h"
#include "scene/scene_state.h"

namespace {

constexpr int TextCaption = 40;
constexpr int TextErrorCaption = 41;
constexpr int TextGroupName = 42;
constexpr int TextRemoveQuestion = 44;
constexpr int TextNotImported = 45; // the reason's prefix, then one part per DesignProblem
constexpr int TextNotWritable = 46;
constexpr int TextGroupFull = 47;
constexpr int MiniatureQuality = 90;
constexpr size_t MaxNameLength = 40;

// Part `part` of a text made of parts separated by '|'.
std::string LangPart(int text, int part) {
    const std::string& whole = Lang(text);
    size_t begin = 0;
    for (int i = 0; i < part && begin != std::string::npos; ++i) {
        begin = whole.find('|', begin);
        if (begin != std::string::npos) ++begin;
    }
    if (begin == std::string::npos) return {};
    return whole.substr(begin, whole.find('|', begin) - begin);
}

std::string WithArgument(std::string text, const std::string& argument) {
    if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

void ReportError(const std::string& text) {
    AskContentMessage(text, Lang(TextErrorCaption), MessageButtons::Ok, MessageIcon::Error);
}

CatalogGroup* OwnGroup() {
    const int index = OwnDesignsGroup();
    return index < 0 ? nullptr : &Groups[size_t(index)];
}

std::string GroupFileText(const CatalogGroup& group) {
    std::string text = "; The user's own designs, kept by Velmora.\n[data]\nNbPics=";
    text += std::to_string(group.Items.size());
    text += "\n\n[pics]\n";
    for (size_t m = 1; m <= group.Items.size(); ++m) {
        const CatalogItem& item = group.Items[m - 1];
        const std::string key = "pic" + std::to_string(m);
        text += key + "=" + item.Name + "\n";
        text += key + "w=" + std::to_string(item.Width) + "\n";
        text += key + "h=" + std::to_string(item.Height) + "\n";
    }
    return text;
}

bool WriteGroupFile(const CatalogGroup& group) {
    const std::string text = GroupFileText(group);
    return WriteFileAtomically(group.Folder + "/data.ini", text.data(), text.size());
}

// A group file there but not readable would read as empty, and writing the
// group would lose every design it lists.
bool FolderUsable(const std::string& folder) {
    const QFileInfo file(QString::fromStdString(folder + "/data.ini"));
    return (!file.exists() || file.isReadable()) && QDir().mkpath(QString::fromStdString(folder));
}

bool NameTaken(const CatalogGroup& group, const std::string& name) {
    const auto same = [&](const std::string& other) {
        return QString::fromStdString(other).compare(QString::fromStdString(name),
                                                     Qt::CaseInsensitive) == 0;
    };
    for (const CatalogItem& item : group.Items)
        if (same(item.Name)) return true;
    const std::string base = group.Folder + "/" + name;
    return QFileInfo::exists(QString::fromStdString(base + ".png")) ||
           QFileInfo::exists(QString::fromStdString(base + ".jpg"));
}

std::string UniqueName(const CatalogGroup& group, const std::string& name) {
    std::string unique = name;
    for (int n = 2; NameTaken(group, unique); ++n)
        unique = name + "-" + std::to_string(n);
    return unique;
}

void RemoveDesignFiles(const std::string& folder, const std::string& name) {
    QFile::remove(QString::fromStdString(folder + "/" + name + ".png"));
    QFile::remove(QString::fromStdString(folder + "/" + name + ".jpg"));
}

void ShowOwnDesign(int item) {
    CurrentGroup = OwnDesignsGroup();
    ItemStep = item;
    ShowMiniatures();
}

// What a design's texture holds, with the mipmaps below it adding a third.
size_t TextureBytes(TextureName texture) {
    MakeCanvasCurrent();
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    return size_t(width) * size_t(height) * 4 * 4 / 3;
}

// Tattoos made from a removed design keep their texture, as dropped designs
// do, and so do the steps of the history that can bring such tattoos back;
// those made from the designs after it follow their new place.
void ForgetDesignLayers(int group, int item, const CatalogItem& removed) {
    const int last = std::min<int>(LastLayer, int(Layers.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        TTattooLayer& layer = Layers[size_t(i)];
        if (layer.Group != group) continue;
        if (layer.Item == item) {
            layer.Group = layer.Item = DroppedDesignGroup;
        } else if (layer.Item > item) {
            --layer.Item;
        }
    }
    if (!removed.Loaded) return;
    AdoptDesignTexture(removed.Texture, TextureBytes(removed.Texture));
    DeleteUnusedDroppedTextures();
}

// Writes the design's two files, then the group file that lists it last; on
// failure the files written go again and the group file is as it was.
bool WriteNewDesign(CatalogGroup& group, const PreparedDesign& design) {
    CatalogItem item;
    item.Name = UniqueName(group, SafeDesignName(design.BaseName));
    item.Width = design.Width;
    item.Height = design.Height;
    item.Miniature = QImageFromPicture(design.Miniature);
    const std::string base = group.Folder + "/" + item.Name;
    group.Items.push_back(item);
    group.ItemCount = int32_t(group.Items.size());
    if (WriteFileAtomically(base + ".png", design.Png.data(), design.Png.size()) &&
        EncodeJpegFile(base + ".jpg", design.Miniature, MiniatureQuality) && WriteGroupFile(group))
        return true;
    RemoveDesignFiles(group.Folder, item.Name);
    return false;
}

// The design already kept with these very PNG bytes under the name or one
// of its numbered variants (the same PNG dropped on the canvas again); -1
// for none.
int KeptCopy(const CatalogGroup& group, const std::string& name, const std::vector<uint8_t>& png) {
    const std::string variant = name + "-";
    for (size_t k = 0; k < group.Items.size(); ++k) {
        const std::string& other = group.Items[k].Name;
        if (other != name && other.compare(0, variant.size(), variant) != 0) continue;
        QFile file(QString::fromStdString(group.Folder + "/" + other + ".png"));
        if (file.size() != qint64(png.size()) || !file.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = file.readAll();
        if (size_t(bytes.size()) == png.size() &&
            std::memcmp(bytes.constData(), png.data(), png.size()) == 0)
            return int(k);
    }
    return -1;
}

// My designs in the catalog, in place of its old state or after the shipped groups.
void PutOwnGroup(CatalogGroup group) {
    if (CatalogGroup* existing = OwnGroup()) {
        *existing = std::move(group);
        return;
    }
    Groups.resize(size_t(GroupCount));
    Groups.push_back(std::move(group));
    GroupCount = int32_t(Groups.size());
}

} // namespace

std::string OwnDesignsFolder() {
    return (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/designs")
        .toStdString();
}

void ReadOwnDesigns(const std::string& folder) {
    CatalogGroup group;
    group.Name = Lang(TextGroupName);
    group.Folder = folder;
    ReadCatalogGroupFolder(folder, group);
    if (group.ItemCount > 0) PutOwnGroup(std::move(group));
}

int OwnDesignsGroup() {
    for (int n = 0; n < GroupCount && n < int(Groups.size()); ++n)
        if (!Groups[size_t(n)].Folder.empty()) return n;
    return -1;
}

bool OwnDesignsHaveRoom() {
    const CatalogGroup* group = OwnGroup();
    if (!group || group->ItemCount < MaxOwnDesigns) return true;
    ReportError(WithArgument(Lang(TextGroupFull), std::to_string(MaxOwnDesigns)));
    return false;
}

void ReportDesignProblem(DesignProblem problem) {
    ReportError(LangPart(TextNotImported, 0) + LangPart(TextNotImported, int(problem)));
}

bool StoreOwnDesign(const PreparedDesign& design) {
    if (design.Problem != DesignProblem::None) {
        ReportDesignProblem(design.Problem);
        return false;
    }
    const CatalogGroup* group = OwnGroup();
    if (const int kept = group ? KeptCopy(*group, SafeDesignName(design.BaseName), design.Png) : -1;
        kept >= 0) {
        ShowOwnDesign(kept);
        return true;
    }
    if (!OwnDesignsHaveRoom()) return false;
    CatalogGroup updated =
        group ? *group : CatalogGroup{Lang(TextGroupName), 0, {}, OwnDesignsFolder()};
    if (!FolderUsable(updated.Folder) || !WriteNewDesign(updated, design)) {
        ReportError(WithArgument(Lang(TextNotWritable), updated.Folder));
        return false;
    }
    PutOwnGroup(std::move(updated));
    ShowOwnDesign(OwnGroup()->ItemCount - 1);
    return true;
}

bool RemoveShownOwnDesign() {
    CatalogGroup* group = OwnGroup();
    const int k = CurrentItem;
    if (!group || CurrentGroup != OwnDesignsGroup() || k < 0 || k >= int(group->Items.size()))
        return false;
    const CatalogItem removed = group->Items[size_t(k)];
    if (AskContentMessage(WithArgument(Lang(TextRemoveQuestion), removed.Name), Lang(TextCaption),
                          MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    CatalogGroup updated = *group;
    updated.Items.erase(updated.Items.begin() + k);
    updated.ItemCount = int32_t(updated.Items.size());
    if (!WriteGroupFile(updated)) {
        ReportError(WithArgument(Lang(TextNotWritable), updated.Folder));
        return false;
    }
    RemoveDesignFiles(updated.Folder, removed.Name);
    ForgetDesignLayers(OwnDesignsGroup(), k, removed);
    *group = std::move(updated);
    if (group->ItemCount > 0)
        ShowOwnDesign(k);
    else
        ForgetOwnDesigns();
    RequestFrame();
    return true;
}

// Letters and digits of any script stay: the names are UTF-8 in the file
// system and in the group file alike.
std::string SafeDesignName(const std::string& base) {
    QString name;
    for (const QChar c : QString::fromStdString(base)) {
        if (name.size() >= qsizetype(MaxNameLength)) break;
        if (c.isLetterOrNumber() && !c.isSurrogate())
            name += c;
        else if (c == '-' || c == '_' || (!name.isEmpty() && !name.endsWith('_')))
            name += c == '-' ? '-' : '_';
    }
    while (name.endsWith('_'))
        name.chop(1);
    return name.isEmpty() ? "design" : name.toStdString();
}

void ForgetOwnDesigns() {
    const int index = OwnDesignsGroup();
    if (index < 0) return;
    Groups.erase(Groups.begin() + index);
    GroupCount = int32_t(Groups.size());
    if (CurrentGroup == index) {
        CurrentGroup = 0;
        ItemStep = 0;
    }
    ShowMiniatures();
}

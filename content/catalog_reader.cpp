#include <algorithm>

#include "content/catalog.h"
#include "content/jpeg_codec.h"
#include "content/photo_loader.h"
#include "platform/ini_file.h"

namespace {

// A broken count must not make the reader allocate or walk billions of
// entries; no real catalog comes near this.
constexpr int MaxCatalogEntries = 10000;

int CatalogCount(int32_t value) {
    return std::clamp(value, 0, MaxCatalogEntries);
}

std::string NumberedKey(const char* prefix, int n, const char* suffix = "") {
    return prefix + std::to_string(n) + suffix;
}

// Everything before the last separator; "." for a bare file name.
std::string FolderOf(const std::string& path) {
    size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

QImage ReadCatalogMiniature(const std::string& path) {
    std::vector<uint8_t> bytes;
    Picture picture;
    if (!ReadWholeFile(path, bytes) || !DecodeJpegMemory(bytes.data(), bytes.size(), picture))
        return {};
    return QImageFromPicture(picture);
}

// A group without a name would read the catalog's own folder as its own.
void ReadCatalogGroup(const std::string& folder, CatalogGroup& group) {
    if (!group.Name.empty()) ReadCatalogGroupFolder(folder + "/" + group.Name, group);
}

} // namespace

// A design without a name or with a miniature that cannot be read keeps a
// null miniature: its slot stays empty and the reading goes on with the next
// design.
void ReadCatalogGroupFolder(const std::string& folder, CatalogGroup& group) {
    IniFile file(folder + "/data.ini");
    group.ItemCount = CatalogCount(file.ReadInteger("data", "NbPics", 0));
    group.Items.assign(size_t(group.ItemCount), CatalogItem{});
    for (int m = 1; m <= group.ItemCount; ++m) {
        CatalogItem& item = group.Items[m - 1];
        item.Name = file.ReadString("pics", NumberedKey("pic", m), "");
        item.Width = file.ReadInteger("pics", NumberedKey("pic", m, "w"), 512);
        item.Height = file.ReadInteger("pics", NumberedKey("pic", m, "h"), 512);
        if (!item.Name.empty())
            item.Miniature = ReadCatalogMiniature(folder + "/" + item.Name + ".jpg");
    }
}

void ReadCatalog(const std::string& indexPath) {
    IniFile index(indexPath);
    GroupCount = CatalogCount(index.ReadInteger("data", "NbGroups", 0));
    Groups.assign(size_t(GroupCount), CatalogGroup{});
    std::string folder = FolderOf(indexPath);
    for (int n = 1; n <= GroupCount; ++n) {
        CatalogGroup& group = Groups[n - 1];
        group.Name = index.ReadString("groups", NumberedKey("group", n), "");
        ReadCatalogGroup(folder, group);
    }
}

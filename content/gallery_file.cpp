#include "content/gallery_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

#include "content/atomic_file.h"
#include "content/picture_writer.h"
#include "platform/ini_file.h"

namespace {

// A broken Count must not make the reader walk billions of keys.
constexpr int MaxGalleryFiles = 10000;

const char* const StandardComment = "; Velmora photo gallery.\n"
                                    "; [gallery] Count is the number of pictures; [files] fileN\n"
                                    "; (N from 1 to Count) names each picture, relative to the\n"
                                    "; folder of this file.  Pictures are JPEG, BMP or PNG files\n"
                                    "; of at most 2048 x 2048 pixels.\n";

// The comment lines before the file's first section, so that a note someone
// wrote at the top survives the file being written anew.
std::string LeadingComment(const std::string& iniPath) {
    QFile file(QString::fromStdString(iniPath));
    if (!file.open(QIODevice::ReadOnly)) return StandardComment;
    std::string comment;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(4096).trimmed();
        if (line.startsWith('[')) break;
        if (line.startsWith(';')) comment += line.toStdString() + "\n";
    }
    return comment.empty() ? StandardComment : comment;
}

} // namespace

std::vector<std::string> ReadGalleryNames(const std::string& iniPath) {
    const IniFile ini(iniPath);
    std::vector<std::string> names;
    if (!ini.Exists()) return names;
    const int count = std::clamp(ini.ReadInteger("gallery", "Count", 0), 0, MaxGalleryFiles);
    for (int n = 1; n <= count; ++n) {
        std::string name = ini.ReadString("files", "file" + std::to_string(n), "");
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

bool UsableGalleryPicture(const std::string& path) {
    const auto type = TypeOfFileName(path);
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (!type || !info.isFile() || !info.isReadable()) return false;
    QImageReader reader(name, PictureTypeName(*type));
    // The photo loader goes by the extension, so the content must match it.
    reader.setAutoDetectImageFormat(false);
    return reader.canRead();
}

bool WriteGalleryNames(const std::string& iniPath, const std::vector<std::string>& names,
                       std::string* error) {
    std::string text = LeadingComment(iniPath);
    text += "[gallery]\nCount=" + std::to_string(names.size()) + "\n\n[files]\n";
    for (size_t n = 0; n < names.size(); ++n)
        text += "file" + std::to_string(n + 1) + "=" + names[n] + "\n";
    return WriteFileAtomically(iniPath, text.data(), text.size(), error);
}

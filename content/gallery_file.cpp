#include "content/gallery_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cctype>

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

// One line of a gallery file as the reader sees it: a section header, a key
// or anything else (comments, blank lines, text it skips).
struct GalleryLine {
    std::string Text;
    std::string Section; // the header's name in lower case; empty for other lines
    std::string Key;     // the key in lower case; empty for other lines
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

GalleryLine ParseGalleryLine(std::string text) {
    GalleryLine line{std::move(text), {}, {}};
    const std::string trimmed = Trimmed(line.Text);
    if (trimmed.starts_with('[') && trimmed.find(']') != std::string::npos)
        line.Section = Lower(Trimmed(trimmed.substr(1, trimmed.find(']') - 1)));
    else if (!trimmed.starts_with(';') && trimmed.find('=') != std::string::npos)
        line.Key = Lower(Trimmed(trimmed.substr(0, trimmed.find('='))));
    return line;
}

// The file's lines without their line ends, and whether it ends them with CR LF.
std::vector<GalleryLine> ReadGalleryLines(const std::string& iniPath, bool& crlf) {
    QFile file(QString::fromStdString(iniPath));
    std::vector<GalleryLine> lines;
    crlf = false;
    if (!file.open(QIODevice::ReadOnly)) return lines;
    const QByteArray text = file.readAll();
    crlf = text.contains("\r\n");
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        lines.push_back(ParseGalleryLine(line.toStdString()));
    }
    if (!lines.empty() && lines.back().Text.empty()) lines.pop_back();
    // The reader skips a byte order mark before the first line.
    if (!lines.empty() && lines.front().Text.starts_with("\xEF\xBB\xBF"))
        lines.front() = ParseGalleryLine(lines.front().Text.substr(3));
    return lines;
}

// A key "fileN" that names picture N of a gallery of `count` pictures.
bool ListedFileKey(const std::string& key, size_t count) {
    if (!key.starts_with("file") || key.size() == 4 || key[4] == '0') return false;
    const std::string number = key.substr(4);
    if (number.size() > 6 || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return std::stoul(number) <= count;
}

// Where the parts the reader uses lie: the first [gallery] section and its
// first Count, the first [files] section and its first listed name. -1 for
// what the file lacks; a section ends at the next header.
struct GalleryPlaces {
    int FirstHeader = -1;
    int Gallery = -1;
    int Count = -1;
    int Files = -1;
    int FirstName = -1;
};

GalleryPlaces FindGalleryPlaces(const std::vector<GalleryLine>& lines, size_t count) {
    GalleryPlaces at;
    std::string section;
    for (int i = 0; i < int(lines.size()); ++i) {
        const GalleryLine& line = lines[size_t(i)];
        if (!line.Section.empty()) {
            if (at.FirstHeader < 0) at.FirstHeader = i;
            section = line.Section;
            if (section == "gallery" && at.Gallery < 0) at.Gallery = i;
            if (section == "files" && at.Files < 0) at.Files = i;
            // A later section of the same name is not read: mark it so.
            if (i != at.Gallery && i != at.Files) section.clear();
        } else if (section == "gallery" && line.Key == "count" && at.Count < 0) {
            at.Count = i;
        } else if (section == "files" && ListedFileKey(line.Key, count) && at.FirstName < 0) {
            at.FirstName = i;
        }
    }
    return at;
}

void Append(std::vector<std::string>& out, const std::vector<std::string>& lines) {
    out.insert(out.end(), lines.begin(), lines.end());
}

// The first [gallery] section's Count and the first [files] section's names
// are replaced in place; every other line stays as a person wrote it. What
// the file lacks is added: [gallery] before the first section, Count after
// its header, the names after the [files] header, [files] at the end.
std::vector<std::string> RewriteGalleryLines(const std::vector<GalleryLine>& lines,
                                             const std::vector<std::string>& names) {
    const GalleryPlaces at = FindGalleryPlaces(lines, names.size());
    const std::string count = "Count=" + std::to_string(names.size());
    std::vector<std::string> entries;
    for (size_t n = 0; n < names.size(); ++n)
        entries.push_back("file" + std::to_string(n + 1) + "=" + names[n]);
    std::vector<std::string> out;
    bool inFiles = false;
    for (int i = 0; i < int(lines.size()); ++i) {
        const GalleryLine& line = lines[size_t(i)];
        if (!line.Section.empty()) inFiles = i == at.Files;
        if (at.Gallery < 0 && i == at.FirstHeader) Append(out, {"[gallery]", count, ""});
        if (i == at.Count) {
            out.push_back(count);
            continue;
        }
        if (i == at.FirstName) Append(out, entries);
        if (!(inFiles && ListedFileKey(line.Key, names.size()))) out.push_back(line.Text);
        if (i == at.Gallery && at.Count < 0) out.push_back(count);
        if (i == at.Files && at.FirstName < 0) Append(out, entries);
    }
    if (at.FirstHeader < 0) Append(out, {"[gallery]", count});
    if (at.Files < 0) {
        out.emplace_back();
        Append(out, {"[files]"});
        Append(out, entries);
    }
    return out;
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
    bool crlf = false;
    std::vector<GalleryLine> lines = ReadGalleryLines(iniPath, crlf);
    if (lines.empty()) {
        std::string standard = StandardComment;
        standard.pop_back();
        for (QByteArray line : QByteArray::fromStdString(standard).split('\n'))
            lines.push_back(ParseGalleryLine(line.toStdString()));
    }
    std::string text;
    for (const std::string& line : RewriteGalleryLines(lines, names))
        text += line + (crlf ? "\r\n" : "\n");
    return WriteFileAtomically(iniPath, text.data(), text.size(), error);
}

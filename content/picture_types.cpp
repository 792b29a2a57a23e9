#include "content/picture_types.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sys/stat.h>

const char* PictureTypeName(PictureFileType type) {
    switch (type) {
    case PictureFileType::Bmp:
        return "BMP";
    case PictureFileType::Png:
        return "PNG";
    case PictureFileType::Jpeg:
        break;
    }
    return "JPEG";
}

std::string LowerExtension(const std::string& source) {
    size_t slash = source.find_last_of("/\\");
    size_t dot = source.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = source.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

std::optional<PictureFileType> TypeOfFileName(const std::string& path) {
    const std::string extension = LowerExtension(path);
    if (extension == ".jpg" || extension == ".jpeg") return PictureFileType::Jpeg;
    if (extension == ".bmp") return PictureFileType::Bmp;
    if (extension == ".png") return PictureFileType::Png;
    return std::nullopt;
}

std::optional<PictureFileType> TypeOfContent(const uint8_t* data, size_t size) {
    static const uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    static const uint8_t JpegStart[3] = {0xff, 0xd8, 0xff};
    if (!data) return std::nullopt;
    if (size >= sizeof PngSignature && std::memcmp(data, PngSignature, sizeof PngSignature) == 0)
        return PictureFileType::Png;
    if (size >= sizeof JpegStart && std::memcmp(data, JpegStart, sizeof JpegStart) == 0)
        return PictureFileType::Jpeg;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return PictureFileType::Bmp;
    return std::nullopt;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

#include "content/photo_reading.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <utility>

#include "content/bmp_codec.h"
#include "content/exif_orientation.h"
#include "content/jpeg_codec.h"
#include "content/picture_limits.h"
#include "content/png_codec.h"

namespace {

// libjpeg's scaled size is taken as it is when it keeps at least this share
// of the side that was asked for (4032 wide at half size gives 2016 of 2048).
constexpr double MinKeptShare = 7.0 / 8.0;

struct DecodePlan {
    int Eighths = JpegFullScale; // libjpeg's scale
    PictureSize Decoded;         // as stored, at that scale
    PictureSize Final;           // as stored, after the area averaging
};

PictureSize FitWithin(PictureSize size, int maxSide) {
    const int longSide = std::max(size.Width, size.Height);
    if (longSide <= maxSide) return size;
    const auto side = [&](int s) {
        return std::max(1, int(std::lround(double(s) * maxSide / longSide)));
    };
    return {side(size.Width), side(size.Height)};
}

PictureSize AtEighths(PictureSize size, int eighths) {
    // libjpeg rounds its scaled sizes up.
    return {(size.Width * eighths + JpegFullScale - 1) / JpegFullScale,
            (size.Height * eighths + JpegFullScale - 1) / JpegFullScale};
}

int LongSide(PictureSize size) {
    return std::max(size.Width, size.Height);
}

DecodePlan PlanDecode(const PhotoFile& file, int maxSide) {
    DecodePlan plan;
    const PictureSize stored{file.StoredWidth, file.StoredHeight};
    plan.Decoded = plan.Final = stored;
    if (LongSide(stored) <= maxSide) return plan;
    plan.Final = FitWithin(stored, maxSide);
    if (file.Type != PictureFileType::Jpeg) return plan;
    int eighths = JpegFullScale - 1;
    while (eighths > 1 && LongSide(AtEighths(stored, eighths)) > maxSide)
        --eighths;
    const PictureSize fitting = AtEighths(stored, eighths);
    if (LongSide(fitting) <= maxSide && LongSide(fitting) >= MinKeptShare * maxSide) {
        plan.Eighths = eighths;
        plan.Decoded = plan.Final = fitting;
    } else if (LongSide(fitting) <= maxSide) {
        // One eighth more is over the side; averaging brings it down.
        plan.Eighths = eighths + 1;
        plan.Decoded = AtEighths(stored, plan.Eighths);
        plan.Final = FitWithin(plan.Decoded, maxSide);
    } else {
        plan.Eighths = eighths;
        plan.Decoded = fitting;
        plan.Final = FitWithin(fitting, maxSide);
    }
    return plan;
}

bool TurnsSideways(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

PhotoProblem ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
    if (!IsRegularFile(path)) return PhotoProblem::Unreadable;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return PhotoProblem::Unreadable;
    const std::streamoff size = file.tellg();
    if (size == 0) return PhotoProblem::Empty;
    if (size < 0) return PhotoProblem::Unreadable;
    if (size > MaxPictureFileBytes) return PhotoProblem::TooLarge;
    bytes.resize(size_t(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return PhotoProblem::Unreadable;
    return PhotoProblem::None;
}

bool StatedSize(const PhotoFile& file, int& width, int& height) {
    const uint8_t* data = file.Bytes.data();
    const size_t size = file.Bytes.size();
    switch (file.Type) {
    case PictureFileType::Png:
        return PngSizeOf(data, size, width, height);
    case PictureFileType::Bmp:
        return BmpSizeOf(data, size, width, height);
    case PictureFileType::Jpeg:
        break;
    }
    return JpegSizeOf(data, size, width, height);
}

// Transparent pixels of a photo are shown over black, as if painted onto an
// empty bitmap.
Picture FlattenOverBlack(const Picture& picture) {
    Picture rgb{picture.Width, picture.Height, 3, {}};
    rgb.Pixels.resize(size_t(picture.Width) * picture.Height * 3);
    const uint8_t* from = picture.Pixels.data();
    uint8_t* to = rgb.Pixels.data();
    for (size_t i = 0, n = size_t(picture.Width) * picture.Height; i < n; ++i, from += 4) {
        for (int c = 0; c < 3; ++c)
            *to++ = uint8_t((from[c] * from[3] + 127) / 255);
    }
    return rgb;
}

bool DecodeStored(const PhotoFile& file, int eighths, Picture& out) {
    const uint8_t* data = file.Bytes.data();
    const size_t size = file.Bytes.size();
    switch (file.Type) {
    case PictureFileType::Png:
        if (!DecodePngMemory(data, size, out)) return false;
        if (out.HasAlpha()) out = FlattenOverBlack(out);
        return true;
    case PictureFileType::Bmp:
        return DecodeBmpMemory(data, size, out);
    case PictureFileType::Jpeg:
        break;
    }
    return DecodeJpegMemoryScaled(data, size, eighths, out);
}

// Which source pixels one target pixel covers along an axis, and how much of
// each; the shares of one target pixel add up to 1.
struct Coverage {
    int First = 0;
    std::vector<float> Shares;
};

std::vector<Coverage> AreaCoverage(int from, int to) {
    std::vector<Coverage> table(static_cast<size_t>(to));
    const double step = double(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * step, end = std::min(double(from), (i + 1) * step);
        Coverage& cover = table[size_t(i)];
        cover.First = int(begin);
        for (int s = cover.First; s < from && s < end; ++s)
            cover.Shares.push_back(
                float((std::min(end, s + 1.0) - std::max(begin, double(s))) / step));
    }
    return table;
}

void ShrinkRow(const uint8_t* row, int channels, const std::vector<Coverage>& columns,
               std::vector<float>& out) {
    float* target = out.data();
    for (const Coverage& cover : columns)
        for (int c = 0; c < channels; ++c) {
            float sum = 0;
            const uint8_t* source = row + size_t(cover.First) * channels + c;
            for (float share : cover.Shares) {
                sum += share * *source;
                source += channels;
            }
            *target++ = sum;
        }
}

} // namespace

PhotoProblem ReadPhotoFile(const std::string& path, PhotoFile& out) {
    std::vector<uint8_t> bytes;
    if (const PhotoProblem problem = ReadWhole(path, bytes); problem != PhotoProblem::None)
        return problem;
    return ReadPhotoBytes(std::move(bytes), TypeOfFileName(path), out);
}

PhotoProblem ReadPhotoBytes(std::vector<uint8_t> bytes, std::optional<PictureFileType> named,
                            PhotoFile& out) {
    PhotoFile file;
    file.Bytes = std::move(bytes);
    if (file.Bytes.empty()) return PhotoProblem::Empty;
    if (!named || TypeOfContent(file.Bytes.data(), file.Bytes.size()) != named)
        return PhotoProblem::NotAPicture;
    file.Type = *named;
    // A picture of no pixels is broken, not too large.
    if (!StatedSize(file, file.StoredWidth, file.StoredHeight) || file.StoredWidth <= 0 ||
        file.StoredHeight <= 0)
        return PhotoProblem::Damaged;
    if (!WithinDecodeLimits(file.StoredWidth, file.StoredHeight)) return PhotoProblem::TooLarge;
    if (file.Type == PictureFileType::Jpeg)
        file.Orientation = ReadExifOrientation(file.Bytes.data(), file.Bytes.size());
    const bool sideways = TurnsSideways(file.Orientation);
    file.Width = sideways ? file.StoredHeight : file.StoredWidth;
    file.Height = sideways ? file.StoredWidth : file.StoredHeight;
    out = std::move(file);
    return PhotoProblem::None;
}

PictureSize FittedPhotoSize(const PhotoFile& file, int maxSide) {
    const PictureSize stored = PlanDecode(file, maxSide).Final;
    return TurnsSideways(file.Orientation) ? PictureSize{stored.Height, stored.Width} : stored;
}

PhotoProblem DecodePhotoFile(const PhotoFile& file, int maxSide, Picture& out) {
    const DecodePlan plan = PlanDecode(file, maxSide);
    Picture decoded;
    if (!DecodeStored(file, plan.Eighths, decoded) || decoded.Width != plan.Decoded.Width ||
        decoded.Height != plan.Decoded.Height)
        return PhotoProblem::Damaged;
    // Orientation 1 is already upright; skipping the copy matters for big photos.
    if (file.Orientation != 1) decoded = ApplyExifOrientation(decoded, file.Orientation);
    const PictureSize final = FittedPhotoSize(file, maxSide);
    if (decoded.Width != final.Width || decoded.Height != final.Height)
        decoded = ShrinkByAreaAveraging(decoded, final.Width, final.Height);
    if (decoded.Empty()) return PhotoProblem::Damaged;
    out = std::move(decoded);
    return PhotoProblem::None;
}

Picture ShrinkByAreaAveraging(const Picture& picture, int width, int height) {
    const int channels = picture.Channels;
    Picture out{width, height, channels, std::vector<uint8_t>(size_t(width) * height * channels)};
    const std::vector<Coverage> columns = AreaCoverage(picture.Width, width);
    const std::vector<Coverage> rows = AreaCoverage(picture.Height, height);
    std::vector<float> shrunk(size_t(width) * channels), sum(shrunk.size());
    uint8_t* target = out.Pixels.data();
    for (const Coverage& cover : rows) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (size_t k = 0; k < cover.Shares.size(); ++k) {
            const size_t row = size_t(cover.First) + k;
            ShrinkRow(picture.Pixels.data() + row * picture.RowBytes(), channels, columns, shrunk);
            for (size_t i = 0; i < sum.size(); ++i)
                sum[i] += cover.Shares[k] * shrunk[i];
        }
        for (float value : sum)
            *target++ = uint8_t(std::clamp(std::lround(value), 0L, 255L));
    }
    return out;
}

#include "scene/shading_map.h"

#include <algorithm>
#include <cmath>

ShadingMap PhotoShading;

namespace {

// Rec. 601 weights in 1/256ths: the grey the eye sees.
constexpr int LumaRed = 77;
constexpr int LumaGreen = 150;
constexpr int LumaBlue = 29;
constexpr float LumaScale = 1.0f / (256 * 255);

// Photo pixels sampled along each side of a cell: a map blurred over several
// cells needs no more, and a 2048-pixel photo is read at every other pixel.
constexpr int SamplesPerCellSide = 8;

// The mean grey of every cell, 0..1, from every step-th pixel of every
// step-th row; a row is read once, its samples summed into the cells of
// their column.
std::vector<float> CellGreys(const Picture& photo, const ShadingMap& map) {
    const int step = std::max(1, map.CellSize / SamplesPerCellSide);
    std::vector<float> grey(size_t(map.Width) * map.Height, 0);
    std::vector<uint32_t> rowSums(size_t(map.Width));
    std::vector<uint32_t> counts(size_t(map.Width));
    const int stride = photo.Channels * step;
    for (int cy = 0; cy < map.Height; ++cy) {
        std::fill(rowSums.begin(), rowSums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
        const int top = cy * map.CellSize;
        const int bottom = std::min(top + map.CellSize, photo.Height);
        for (int y = top; y < bottom; y += step) {
            const uint8_t* row = photo.Pixels.data() + size_t(y) * photo.RowBytes();
            for (int cx = 0; cx < map.Width; ++cx) {
                const int begin = cx * map.CellSize;
                const int end = std::min(begin + map.CellSize, photo.Width);
                const uint8_t* p = row + size_t(begin) * photo.Channels;
                uint32_t sum = 0, count = 0;
                for (int x = begin; x < end; x += step, p += stride, ++count)
                    sum += LumaRed * p[0] + LumaGreen * p[1] + LumaBlue * p[2];
                rowSums[cx] += sum;
                counts[cx] += count;
            }
        }
        for (int cx = 0; cx < map.Width; ++cx)
            grey[size_t(cy) * map.Width + cx] = rowSums[cx] * LumaScale / float(counts[cx]);
    }
    return grey;
}

// One box pass along a line of `count` values `stride` apart, the edges
// repeated.
void BoxLine(float* values, int count, int stride, std::vector<float>& line) {
    line.clear();
    for (int i = 0; i < count; ++i)
        line.push_back(values[size_t(i) * stride]);
    const float scale = 1.0f / (2 * ShadingBlurRadius + 1);
    for (int i = 0; i < count; ++i) {
        float sum = 0;
        for (int k = -ShadingBlurRadius; k <= ShadingBlurRadius; ++k)
            sum += line[std::clamp(i + k, 0, count - 1)];
        values[size_t(i) * stride] = sum * scale;
    }
}

void Blur(std::vector<float>& grey, int width, int height) {
    std::vector<float> line;
    for (int pass = 0; pass < ShadingBlurPasses; ++pass) {
        for (int y = 0; y < height; ++y)
            BoxLine(grey.data() + size_t(y) * width, width, 1, line);
        for (int x = 0; x < width; ++x)
            BoxLine(grey.data() + x, height, width, line);
    }
}

// Central differences (one-sided at the edges), in cells.
float Difference(const std::vector<float>& grey, int at, int stride, int index, int count) {
    const int before = std::max(index - 1, 0);
    const int after = std::min(index + 1, count - 1);
    if (after == before) return 0;
    return (grey[size_t(at + (after - index) * stride)] -
            grey[size_t(at - (index - before) * stride)]) /
           float(after - before);
}

void StoreShifts(ShadingMap& map, const std::vector<float>& grey, int longSide) {
    const float perGradient = ShadingStrength * float(longSide) * float(longSide) / map.CellSize;
    const float limit = ShadingMaxShift * float(longSide);
    map.DX.resize(grey.size());
    map.DY.resize(grey.size());
    for (int y = 0; y < map.Height; ++y)
        for (int x = 0; x < map.Width; ++x) {
            const int at = y * map.Width + x;
            float dx = perGradient * Difference(grey, at, 1, x, map.Width);
            float dy = perGradient * Difference(grey, at, map.Width, y, map.Height);
            const float length = std::hypot(dx, dy);
            if (length > limit) {
                dx *= limit / length;
                dy *= limit / length;
            }
            map.DX[size_t(at)] = dx;
            map.DY[size_t(at)] = dy;
        }
}

float Sample(const std::vector<float>& values, const ShadingMap& map, float cx, float cy) {
    cx = std::clamp(cx, 0.0f, float(map.Width - 1));
    cy = std::clamp(cy, 0.0f, float(map.Height - 1));
    const int x0 = std::min(int(cx), map.Width - 1);
    const int y0 = std::min(int(cy), map.Height - 1);
    const int x1 = std::min(x0 + 1, map.Width - 1);
    const int y1 = std::min(y0 + 1, map.Height - 1);
    const float fx = cx - x0;
    const float fy = cy - y0;
    const auto at = [&](int x, int y) { return values[size_t(y) * map.Width + x]; };
    const float top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * fx;
    return top + (bottom - top) * fy;
}

} // namespace

ShadingMap ComputeShadingMap(const Picture& photo) {
    ShadingMap map;
    if (photo.Empty() || (photo.Channels != 3 && photo.Channels != 4) ||
        photo.Pixels.size() < size_t(photo.RowBytes()) * photo.Height)
        return map;
    const int longSide = std::max(photo.Width, photo.Height);
    map.CellSize = std::max(1, (longSide + ShadingMapCells - 1) / ShadingMapCells);
    map.Width = (photo.Width + map.CellSize - 1) / map.CellSize;
    map.Height = (photo.Height + map.CellSize - 1) / map.CellSize;
    std::vector<float> grey = CellGreys(photo, map);
    Blur(grey, map.Width, map.Height);
    StoreShifts(map, grey, longSide);
    return map;
}

ShadingShift ShadingShiftAt(const ShadingMap& map, float x, float y, int32_t quarterTurns,
                            int32_t imageWidth, int32_t imageHeight) {
    if (map.Empty()) return {};
    const int turns = (quarterTurns % 4 + 4) % 4;
    const bool odd = turns % 2 == 1;
    const float shownWidth = float(odd ? imageHeight : imageWidth);
    const float shownHeight = float(odd ? imageWidth : imageHeight);
    // Layer space about the shown photo's centre, turned back into image
    // space: each clockwise turn maps (x, y) to (-y, x) on the y-down canvas.
    float rx = x - shownWidth / 2;
    float ry = y - shownHeight / 2;
    for (int t = 0; t < turns; ++t) {
        const float turned = rx;
        rx = ry;
        ry = -turned;
    }
    const float ix = rx + imageWidth / 2.0f;
    const float iy = ry + imageHeight / 2.0f;
    const float cx = ix / map.CellSize - 0.5f;
    const float cy = iy / map.CellSize - 0.5f;
    ShadingShift shift{Sample(map.DX, map, cx, cy), Sample(map.DY, map, cx, cy)};
    for (int t = 0; t < turns; ++t)
        shift = {-shift.Y, shift.X};
    return shift;
}

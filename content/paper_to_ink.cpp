#include "content/paper_to_ink.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// The paper is estimated on a grid of about this many blocks along the
// longer side; a block of paper is never smaller than MinBlockSide pixels.
constexpr int BlocksAlongSide = 32;
constexpr int MinBlockSide = 8;
// Brightness levels either side of a block's most common one that count as
// its paper.
constexpr int ModeWindow = 3;
// Dark areas up to about twice this many blocks wide (a third of the picture) are
// closed over: a filled shape takes the paper of its surroundings.
constexpr int ClosingRadius = 5;

// A block is paper when it is at least this share as bright as the brightest
// quarter of the blocks (no shadow on a sheet is deeper) and of their tint.
constexpr size_t BrightShareDivisor = 4;
constexpr float MinPaperBrightness = 0.25f;
constexpr float MaxPaperTintDistance = 0.2f;

// Darkness is kept in 256 levels. The paper's noise ends this many of its
// standard deviations above its most common darkness.
constexpr int Levels = 256;
constexpr double NoiseDeviations = 3.5;
// A normal distribution falls to half its peak this many deviations out.
constexpr double HalfWidthPerDeviation = 1.1774;
// The ink level: this share of the way from the paper level to the darkness
// that nine tenths of the ink stays under, so that the bulk of the ink is solid.
constexpr double InkPercentile = 0.9;
constexpr double SolidShare = 0.7;
// No less than this many levels separate the paper from solid ink, so that a
// blank sheet's noise is never stretched into a drawing.
constexpr int MinInkRange = 24;
// Below this share of pixels darker than the paper, there is no drawing.
constexpr double MinInkShare = 0.0002;

// The crop keeps pixels at least this opaque, with a margin of this share of
// the longer side around them, at least MinMargin pixels.
constexpr int CropOpacity = 64;
constexpr double MarginShare = 0.015;
constexpr int MinMargin = 4;

using Colour = std::array<float, 3>;

struct PaperGrid {
    int Block = MinBlockSide;
    int Columns = 0, Rows = 0;
    std::vector<Colour> Cells;
    Colour& At(int column, int row) { return Cells[size_t(row) * Columns + column]; }
};

// Brightness with the eye's weights of red, green and blue, in 256ths.
int Luma(const uint8_t* pixel) {
    constexpr int Red = 77, Green = 150, Blue = 29, Shift = 8;
    return (Red * pixel[0] + Green * pixel[1] + Blue * pixel[2]) >> Shift;
}

// The block's paper: the most common brightness in its brighter half (the
// paper is flat, while JPEG ringing beside ink spreads over many levels),
// and the mean colour of the pixels near it. A block mostly of ink gives its
// ink, which the closing then replaces.
Colour BlockPaper(const Picture& picture, int x0, int y0, int x1, int y1) {
    std::array<int, Levels> counts{};
    const int channels = picture.Channels;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            ++counts[size_t(Luma(&picture.Pixels[(size_t(y) * picture.Width + x) * channels]))];
    int median = 0;
    for (int seen = counts[0]; seen * 2 < (x1 - x0) * (y1 - y0);)
        seen += counts[size_t(++median)];
    int mode = median, best = -1;
    for (int level = median; level < Levels; ++level) {
        int near = 0;
        for (int d = std::max(0, level - ModeWindow); d <= std::min(Levels - 1, level + ModeWindow);
             ++d)
            near += counts[size_t(d)];
        if (near > best) best = near, mode = level;
    }
    Colour sum{};
    int taken = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* pixel = &picture.Pixels[(size_t(y) * picture.Width + x) * channels];
            if (std::abs(Luma(pixel) - mode) > ModeWindow) continue;
            for (int c = 0; c < 3; ++c)
                sum[size_t(c)] += pixel[c];
            ++taken;
        }
    for (float& value : sum)
        value = std::max(1.0f, value / float(std::max(1, taken)));
    return sum;
}

// Each cell becomes the maximum (or minimum) of its neighbours within the
// radius, channel by channel, first along rows, then along columns.
template <typename Pick> void Spread(PaperGrid& grid, int radius, Pick pick) {
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<Colour> source = grid.Cells;
        const int along = pass == 0 ? grid.Columns : grid.Rows;
        for (int row = 0; row < grid.Rows; ++row)
            for (int column = 0; column < grid.Columns; ++column) {
                const int here = pass == 0 ? column : row;
                Colour best = source[size_t(row) * grid.Columns + column];
                for (int i = std::max(0, here - radius); i <= std::min(along - 1, here + radius);
                     ++i) {
                    const Colour& other = pass == 0 ? source[size_t(row) * grid.Columns + i]
                                                    : source[size_t(i) * grid.Columns + column];
                    for (int c = 0; c < 3; ++c)
                        best[size_t(c)] = pick(best[size_t(c)], other[size_t(c)]);
                }
                grid.At(column, row) = best;
            }
    }
}

// The grid with its edge cells repeated `margin` times outward: a closing
// cut short at the picture's edge would carry the paper of lighter parts
// into darker ones there.
PaperGrid Padded(const PaperGrid& grid, int margin) {
    PaperGrid padded{grid.Block, grid.Columns + 2 * margin, grid.Rows + 2 * margin, {}};
    padded.Cells.reserve(size_t(padded.Columns) * padded.Rows);
    for (int row = 0; row < padded.Rows; ++row)
        for (int column = 0; column < padded.Columns; ++column) {
            const int r = std::clamp(row - margin, 0, grid.Rows - 1);
            const int c = std::clamp(column - margin, 0, grid.Columns - 1);
            padded.Cells.push_back(grid.Cells[size_t(r) * grid.Columns + c]);
        }
    return padded;
}

float Brightness(const Colour& colour) {
    return (colour[0] + colour[1] + colour[2]) / 3;
}

// How far apart two colours' hues and saturations are, whatever their
// brightness: light and shadow change the paper's brightness, not its tint.
float TintDistance(const Colour& a, const Colour& b) {
    float distance = 0;
    for (size_t c = 0; c < 3; ++c)
        distance = std::max(distance, std::abs(a[c] / Brightness(a) - b[c] / Brightness(b)));
    return distance;
}

// The paper of the brightest quarter of the blocks: the median by brightness.
Colour BrightPaper(const PaperGrid& grid) {
    std::vector<Colour> cells = grid.Cells;
    const auto brighter = [](const Colour& a, const Colour& b) {
        return Brightness(a) > Brightness(b);
    };
    const size_t quarter = cells.size() / BrightShareDivisor;
    std::nth_element(cells.begin(), cells.begin() + quarter / 2, cells.end(), brighter);
    return cells[quarter / 2];
}

// Blocks whose paper is far darker than the page's brightest paper, or of
// another tint, lie inside a large drawn area rather than on paper: they take
// the paper of their nearest paper blocks. This is what lets a filled shape
// wider than the closing keep its ink.
void ReplaceInkBlocks(PaperGrid& grid) {
    const Colour page = BrightPaper(grid);
    std::vector<uint8_t> paper(grid.Cells.size());
    for (size_t i = 0; i < grid.Cells.size(); ++i)
        paper[i] = Brightness(grid.Cells[i]) >= MinPaperBrightness * Brightness(page) &&
                   TintDistance(grid.Cells[i], page) <= MaxPaperTintDistance;
    for (bool changed = true; changed;) {
        changed = false;
        const std::vector<uint8_t> known = paper;
        for (int row = 0; row < grid.Rows; ++row)
            for (int column = 0; column < grid.Columns; ++column) {
                const size_t i = size_t(row) * grid.Columns + column;
                if (known[i]) continue;
                Colour sum{};
                int count = 0;
                for (int r = std::max(0, row - 1); r <= std::min(grid.Rows - 1, row + 1); ++r)
                    for (int c = std::max(0, column - 1);
                         c <= std::min(grid.Columns - 1, column + 1); ++c) {
                        const size_t j = size_t(r) * grid.Columns + c;
                        if (!known[j]) continue;
                        for (size_t k = 0; k < 3; ++k)
                            sum[k] += grid.Cells[j][k];
                        ++count;
                    }
                if (count == 0) continue;
                for (size_t k = 0; k < 3; ++k)
                    grid.Cells[i][k] = sum[k] / float(count);
                paper[i] = 1;
                changed = true;
            }
    }
}

PaperGrid EstimatePaper(const Picture& picture) {
    PaperGrid grid;
    const int longSide = std::max(picture.Width, picture.Height);
    grid.Block = std::max(MinBlockSide, (longSide + BlocksAlongSide - 1) / BlocksAlongSide);
    grid.Columns = (picture.Width + grid.Block - 1) / grid.Block;
    grid.Rows = (picture.Height + grid.Block - 1) / grid.Block;
    grid.Cells.resize(size_t(grid.Columns) * grid.Rows);
    for (int row = 0; row < grid.Rows; ++row)
        for (int column = 0; column < grid.Columns; ++column)
            grid.At(column, row) = BlockPaper(picture, column * grid.Block, row * grid.Block,
                                              std::min(picture.Width, (column + 1) * grid.Block),
                                              std::min(picture.Height, (row + 1) * grid.Block));
    ReplaceInkBlocks(grid);
    PaperGrid padded = Padded(grid, ClosingRadius);
    Spread(padded, ClosingRadius, [](float a, float b) { return std::max(a, b); });
    Spread(padded, ClosingRadius, [](float a, float b) { return std::min(a, b); });
    for (int row = 0; row < grid.Rows; ++row)
        for (int column = 0; column < grid.Columns; ++column)
            grid.At(column, row) = padded.At(column + ClosingRadius, row + ClosingRadius);
    return grid;
}

// The paper under one row of pixels, interpolated between block centres.
void PaperRow(PaperGrid& grid, int y, int width, std::vector<Colour>& row) {
    const float gy = std::clamp((y + 0.5f) / grid.Block - 0.5f, 0.0f, float(grid.Rows - 1));
    const int r0 = int(gy), r1 = std::min(grid.Rows - 1, r0 + 1);
    const float fy = gy - float(r0);
    for (int x = 0; x < width; ++x) {
        const float gx = std::clamp((x + 0.5f) / grid.Block - 0.5f, 0.0f, float(grid.Columns - 1));
        const int c0 = int(gx), c1 = std::min(grid.Columns - 1, c0 + 1);
        const float fx = gx - float(c0);
        for (size_t k = 0; k < 3; ++k) {
            const float top = grid.At(c0, r0)[k] * (1 - fx) + grid.At(c1, r0)[k] * fx;
            const float bottom = grid.At(c0, r1)[k] * (1 - fx) + grid.At(c1, r1)[k] * fx;
            row[size_t(x)][k] = top * (1 - fy) + bottom * fy;
        }
    }
}

// How much of the paper the pixel hides in its darkest channel, -255..255:
// paper brighter than its estimate is kept below 0, so that the noise of the
// paper shows whole in the histogram.
int Darkness(const uint8_t* pixel, const Colour& paper) {
    float darkest = -1;
    for (size_t c = 0; c < 3; ++c)
        darkest = std::max(darkest, 1.0f - float(pixel[c]) / paper[c]);
    return int(std::lround(std::clamp(darkest, -1.0f, 1.0f) * (Levels - 1)));
}

constexpr int DarknessBins = 2 * Levels - 1;
using DarknessCounts = std::array<size_t, DarknessBins>;
size_t& CountOf(DarknessCounts& counts, int darkness) {
    return counts[size_t(darkness + Levels - 1)];
}

struct InkLevels {
    int Paper = 0; // darkness at and below which a pixel is paper
    int Solid = 0; // darkness from which a pixel is solid ink
    bool Found = false;
};

// The paper is the histogram's tallest peak; its noise is measured by the
// peak's half width on the darker side.
InkLevels LevelsOf(const DarknessCounts& counts, size_t total) {
    InkLevels levels;
    const int peakBin = int(std::max_element(counts.begin(), counts.end()) - counts.begin());
    int half = peakBin;
    while (half + 1 < DarknessBins && counts[size_t(half)] * 2 > counts[size_t(peakBin)])
        ++half;
    const double deviation = std::max(1.0, (half - peakBin) / HalfWidthPerDeviation);
    const int peak = peakBin - (Levels - 1);
    levels.Paper =
        std::clamp(int(std::ceil(peak + NoiseDeviations * deviation)) + 1, 0, Levels - 1);
    const auto count = [&](int d) { return counts[size_t(d + Levels - 1)]; };
    size_t ink = 0;
    for (int d = levels.Paper + 1; d < Levels; ++d)
        ink += count(d);
    levels.Found = ink > 0 && double(ink) >= MinInkShare * double(total);
    if (!levels.Found) return levels;
    size_t seen = 0;
    int inkTop = levels.Paper + 1;
    while (inkTop < Levels - 1 && double(seen + count(inkTop)) < InkPercentile * ink)
        seen += count(inkTop++);
    levels.Solid = std::max(levels.Paper + MinInkRange,
                            int(std::lround(levels.Paper + SolidShare * (inkTop - levels.Paper))));
    return levels;
}

struct Box {
    int Left = 0, Top = 0, Right = -1, Bottom = -1; // inclusive
};

// The ink's own colour: what, laid over the paper with this opacity, gives
// the colour seen.
void UnmixInk(const uint8_t* seen, const Colour& paper, int alpha, uint8_t* out) {
    const float a = float(alpha) / 255.0f;
    for (size_t c = 0; c < 3; ++c)
        out[c] = uint8_t(std::lround(std::clamp((seen[c] - (1 - a) * paper[c]) / a, 0.0f, 255.0f)));
    out[3] = uint8_t(alpha);
}

Picture Cropped(const Picture& ink, const Box& box, int* cropLeft, int* cropTop) {
    const int margin =
        std::max(MinMargin, int(std::lround(MarginShare * std::max(ink.Width, ink.Height))));
    const int left = std::max(0, box.Left - margin), top = std::max(0, box.Top - margin);
    const int right = std::min(ink.Width - 1, box.Right + margin);
    const int bottom = std::min(ink.Height - 1, box.Bottom + margin);
    if (cropLeft) *cropLeft = left;
    if (cropTop) *cropTop = top;
    Picture out{right - left + 1, bottom - top + 1, 4, {}};
    out.Pixels.resize(size_t(out.RowBytes()) * out.Height);
    for (int y = 0; y < out.Height; ++y)
        std::copy_n(&ink.Pixels[(size_t(top + y) * ink.Width + left) * 4], out.RowBytes(),
                    &out.Pixels[size_t(y) * out.RowBytes()]);
    return out;
}

// Every pixel's darkness against the paper under it, and their histogram.
std::vector<int16_t> DarknessMap(const Picture& picture, PaperGrid& grid, DarknessCounts& counts) {
    const int width = picture.Width, channels = picture.Channels;
    std::vector<int16_t> darkness(size_t(width) * picture.Height);
    std::vector<Colour> paper(static_cast<size_t>(width));
    for (int y = 0; y < picture.Height; ++y) {
        PaperRow(grid, y, width, paper);
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * width + x;
            darkness[i] = int16_t(Darkness(&picture.Pixels[i * channels], paper[size_t(x)]));
            ++CountOf(counts, darkness[i]);
        }
    }
    return darkness;
}

// The ink at full size, and in `box` the pixels opaque enough to crop to.
Picture InkOf(const Picture& picture, PaperGrid& grid, const std::vector<int16_t>& darkness,
              const InkLevels& levels, Box& box) {
    const int width = picture.Width, channels = picture.Channels;
    Picture ink{width, picture.Height, 4, std::vector<uint8_t>(size_t(width) * picture.Height * 4)};
    const float range = float(levels.Solid - levels.Paper);
    std::vector<Colour> paper(static_cast<size_t>(width));
    for (int y = 0; y < picture.Height; ++y) {
        PaperRow(grid, y, width, paper);
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * width + x;
            const int alpha = int(
                std::lround(std::clamp((darkness[i] - levels.Paper) / range, 0.0f, 1.0f) * 255));
            if (alpha == 0) continue;
            UnmixInk(&picture.Pixels[i * channels], paper[size_t(x)], alpha, &ink.Pixels[i * 4]);
            if (alpha < CropOpacity) continue;
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x),
                   std::max(box.Bottom, y)};
        }
    }
    return ink;
}

} // namespace

bool HasTransparency(const Picture& picture) {
    if (!picture.HasAlpha()) return false;
    for (size_t i = 3; i < picture.Pixels.size(); i += 4)
        if (picture.Pixels[i] != 255) return true;
    return false;
}

Picture PaperToInk(const Picture& picture, int* cropLeft, int* cropTop) {
    if (picture.Empty() || picture.Channels < 3) return {};
    PaperGrid grid = EstimatePaper(picture);
    DarknessCounts counts{};
    const std::vector<int16_t> darkness = DarknessMap(picture, grid, counts);
    const InkLevels levels = LevelsOf(counts, darkness.size());
    if (!levels.Found) return {};
    Box box{picture.Width, picture.Height, -1, -1};
    const Picture ink = InkOf(picture, grid, darkness, levels, box);
    if (box.Right < box.Left) return {};
    return Cropped(ink, box, cropLeft, cropTop);
}

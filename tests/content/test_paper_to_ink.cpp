#include <QBuffer>
#include <QColor>
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

#include "content/jpeg_codec.h"
#include "content/paper_to_ink.h"

namespace {

// A made-up photo of a drawing: lines and a filled disc drawn on paper, lit
// unevenly, with sensor noise, saved as a JPEG the way a phone would.
struct Scan {
    const char* Name;
    QRgb Paper;
    QRgb Line;
    QRgb Fill;       // 0 for a drawing without a fill
    int Radius;      // of the ringed disc
    double Gradient; // light lost from the top left to the bottom right corner
    double Shadow;   // light lost under a soft shadow over the right third
    double Noise;    // standard deviation of the noise, in levels
    int Quality;     // of the JPEG
};

constexpr int Width = 900, Height = 700, LineWidth = 6, Clearance = 4;

enum Mark : uint8_t { PaperMark, LineMark, FillMark };

std::vector<uint8_t> DrawingMarks(bool filled, int radius) {
    std::vector<uint8_t> marks(size_t(Width) * Height, PaperMark);
    const auto mark = [&](int x, int y) -> uint8_t& { return marks[size_t(y) * Width + x]; };
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const double r = std::hypot(x - 420.0, y - 330.0);
            if (filled && r < radius) mark(x, y) = FillMark;
            if (std::abs(r - radius) < LineWidth / 2.0) mark(x, y) = LineMark;
            // A diagonal stroke and a frame around the drawing.
            if (std::abs((x - 150) - (y - 120)) < LineWidth / 2 && x > 200 && x < 600)
                mark(x, y) = LineMark;
            const bool inFrame = x >= 180 && x < 760 && y >= 100 && y < 580;
            const bool inside = x >= 180 + LineWidth && x < 760 - LineWidth &&
                                y >= 100 + LineWidth && y < 580 - LineWidth;
            if (inFrame && !inside) mark(x, y) = LineMark;
        }
    return marks;
}

double Light(const Scan& scan, int x, int y) {
    const double gradient = 1 - scan.Gradient * (double(x) / Width + double(y) / Height) / 2;
    const double shadow = 1 - scan.Shadow / (1 + std::exp(-(x - 0.68 * Width) / (0.04 * Width)));
    return gradient * shadow;
}

Picture Photograph(const Scan& scan, const std::vector<uint8_t>& marks) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, scan.Noise);
    QImage photo(Width, Height, QImage::Format_RGB888);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const uint8_t mark = marks[size_t(y) * Width + x];
            const QColor colour(mark == LineMark   ? scan.Line
                                : mark == FillMark ? scan.Fill
                                                   : scan.Paper);
            const double light = Light(scan, x, y);
            const auto lit = [&](int value) {
                return std::clamp(int(std::lround(value * light + noise(random))), 0, 255);
            };
            photo.setPixel(x, y, qRgb(lit(colour.red()), lit(colour.green()), lit(colour.blue())));
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(photo.save(&buffer, "JPG", scan.Quality));
    Picture picture;
    EXPECT_TRUE(DecodeJpegMemory(bytes.constData(), size_t(bytes.size()), picture));
    return picture;
}

// True when every mark within the radius of (x, y) is `wanted`.
bool AllAround(const std::vector<uint8_t>& marks, int x, int y, int radius, uint8_t wanted) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = std::clamp(x + dx, 0, Width - 1), py = std::clamp(y + dy, 0, Height - 1);
            if (marks[size_t(py) * Width + px] != wanted) return false;
        }
    return true;
}

struct Counts {
    int Paper = 0, ClearPaper = 0, Line = 0, SolidLine = 0, Fill = 0;
    double FillRed = 0, FillGreen = 0, FillBlue = 0, FillAlpha = 0;
};

Counts Measure(const Picture& ink, int left, int top, const std::vector<uint8_t>& marks) {
    Counts counts;
    // Single pixels are checked on a sparse lattice to keep the test quick.
    for (int y = 0; y < Height; y += 2)
        for (int x = 0; x < Width; x += 2) {
            const int ix = x - left, iy = y - top;
            const bool inside = ix >= 0 && iy >= 0 && ix < ink.Width && iy < ink.Height;
            const uint8_t* pixel =
                inside ? &ink.Pixels[(size_t(iy) * ink.Width + ix) * 4] : nullptr;
            const int alpha = pixel ? pixel[3] : 0;
            if (AllAround(marks, x, y, Clearance, PaperMark)) {
                ++counts.Paper;
                counts.ClearPaper += alpha <= 8;
            } else if (AllAround(marks, x, y, 1, LineMark)) {
                ++counts.Line;
                counts.SolidLine += alpha >= 240;
            } else if (AllAround(marks, x, y, Clearance, FillMark) && pixel) {
                ++counts.Fill;
                counts.FillRed += pixel[0], counts.FillGreen += pixel[1],
                    counts.FillBlue += pixel[2];
                counts.FillAlpha += pixel[3];
            }
        }
    return counts;
}

double HueDistance(const QColor& a, const QColor& b) {
    const double d = std::abs(a.hslHueF() - b.hslHueF()) * 360;
    return std::min(d, 360 - d);
}

// clang-format off
const Scan Scans[] = {
    // name              paper                line                 fill               radius grad shadow noise quality
    {"even light",       qRgb(246, 242, 230), qRgb(20, 20, 22),    qRgb(40, 90, 200),  150, 0.0,  0.0,  2.0, 92},
    {"gradient",         qRgb(240, 236, 222), qRgb(15, 15, 15),    qRgb(200, 60, 50),  150, 0.35, 0.0,  3.0, 85},
    {"soft shadow",      qRgb(244, 240, 232), qRgb(25, 22, 20),    qRgb(60, 160, 70),  150, 0.15, 0.35, 4.0, 80},
    {"dim and noisy",    qRgb(200, 196, 185), qRgb(30, 30, 30),    qRgb(230, 190, 40), 150, 0.25, 0.25, 6.0, 75},
    {"deep shadow",      qRgb(244, 240, 232), qRgb(25, 22, 20),    qRgb(60, 160, 70),  150, 0.1,  0.55, 5.0, 60},
    {"dark at the edge", qRgb(242, 238, 226), qRgb(25, 22, 20),    qRgb(200, 50, 60),  150, 0.6,  0.3,  3.0, 85},
    {"large fill",       qRgb(242, 238, 226), qRgb(25, 22, 20),    qRgb(200, 50, 60),  230, 0.2,  0.3,  3.0, 85},
    {"faint pencil",     qRgb(245, 243, 238), qRgb(170, 170, 175), 0,                  150, 0.2,  0.2,  3.0, 85},
    {"grey pencil",      qRgb(245, 243, 238), qRgb(120, 120, 125), 0,                  150, 0.2,  0.2,  3.0, 85},
};
// clang-format on

} // namespace

TEST(PaperToInk, MadeUpScansLoseTheirPaperAndKeepTheirInk) {
    for (const Scan& scan : Scans) {
        SCOPED_TRACE(scan.Name);
        const std::vector<uint8_t> marks = DrawingMarks(scan.Fill != 0, scan.Radius);
        const Picture photo = Photograph(scan, marks);
        EXPECT_FALSE(HasTransparency(photo));
        int left = -1, top = -1;
        const Picture ink = PaperToInk(photo, &left, &top);
        ASSERT_FALSE(ink.Empty());
        ASSERT_TRUE(ink.HasAlpha());
        // Cropped to the frame with a small margin.
        EXPECT_TRUE(left > 150 && left <= 180 && top > 70 && top <= 100) << left << "," << top;
        EXPECT_LT(left + ink.Width, 800);
        EXPECT_LT(top + ink.Height, 620);
        const Counts counts = Measure(ink, left, top, marks);
        EXPECT_GE(counts.ClearPaper, 0.98 * counts.Paper)
            << counts.ClearPaper << "/" << counts.Paper;
        EXPECT_GE(counts.SolidLine, 0.95 * counts.Line) << counts.SolidLine << "/" << counts.Line;
        if (!scan.Fill) continue;
        ASSERT_GT(counts.Fill, 0);
        const QColor fill(int(counts.FillRed / counts.Fill), int(counts.FillGreen / counts.Fill),
                          int(counts.FillBlue / counts.Fill));
        EXPECT_LT(HueDistance(fill, QColor(scan.Fill)), 12) << fill.name().toStdString();
        EXPECT_GE(counts.FillAlpha / counts.Fill, 240) << "the fill is ink, not paper";
    }
}

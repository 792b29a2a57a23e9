#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

#include "content/jpeg_codec.h"

namespace {

enum class Layout { Baseline, Progressive, Grey, Cmyk, Ycck, ManyScans };

// Four flat 16 x 16 quadrants (red, green, blue, white), so that compression
// leaves their centres close to the written colours.
uint8_t Quadrant(int x, int y) {
    return uint8_t((y >= 16 ? 2 : 0) + (x >= 16 ? 1 : 0));
}

const uint8_t QuadrantRgb[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

std::vector<uint8_t> SourceRow(Layout layout, int y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < 32; ++x) {
        const uint8_t* rgb = QuadrantRgb[Quadrant(x, y)];
        if (layout == Layout::Grey || layout == Layout::ManyScans)
            row.push_back(rgb[1]);
        else if (layout == Layout::Cmyk || layout == Layout::Ycck) // inverted, as editors write it
            row.insert(row.end(), {rgb[0], rgb[1], rgb[2], 255});
        else
            row.insert(row.end(), rgb, rgb + 3);
    }
    return row;
}

// One DC scan and, for each of the 63 AC coefficients, a first and a refining scan.
void UseManyScans(jpeg_compress_struct& info, std::vector<jpeg_scan_info>& scans) {
    scans.push_back({1, {0}, 0, 0, 0, 0});
    for (int k = 1; k < 64; ++k)
        scans.push_back({1, {0}, k, k, 0, 1});
    for (int k = 1; k < 64; ++k)
        scans.push_back({1, {0}, k, k, 1, 0});
    info.scan_info = scans.data();
    info.num_scans = int(scans.size());
}

std::vector<uint8_t> WriteJpeg(Layout layout) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    const bool grey = layout == Layout::Grey || layout == Layout::ManyScans;
    const bool cmyk = layout == Layout::Cmyk || layout == Layout::Ycck;
    info.image_width = info.image_height = 32;
    info.input_components = grey ? 1 : cmyk ? 4 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (layout == Layout::Ycck) jpeg_set_colorspace(&info, JCS_YCCK);
    if (layout == Layout::Progressive) jpeg_simple_progression(&info);
    std::vector<jpeg_scan_info> scans;
    if (layout == Layout::ManyScans) UseManyScans(info, scans);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < 32; ++y) {
        std::vector<uint8_t> row = SourceRow(layout, y);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

void ExpectQuadrants(const Picture& picture, bool grey) {
    ASSERT_EQ(picture.Width, 32);
    ASSERT_EQ(picture.Height, 32);
    ASSERT_EQ(picture.Channels, 3);
    for (int q = 0; q < 4; ++q) {
        const int x = q % 2 * 16 + 8, y = q / 2 * 16 + 8;
        const uint8_t* pixel = &picture.Pixels[size_t((y * 32 + x) * 3)];
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], grey ? QuadrantRgb[q][1] : QuadrantRgb[q][c], 8)
                << "quadrant " << q << " channel " << c;
    }
}

class JpegDecoding : public ::testing::TestWithParam<Layout> {};

TEST_P(JpegDecoding, EveryLayoutComesOutAsRgbFromFileAndMemory) {
    const std::vector<uint8_t> bytes = WriteJpeg(GetParam());
    const bool grey = GetParam() == Layout::Grey;
    Picture fromMemory;
    std::string error;
    ASSERT_TRUE(DecodeJpegMemory(bytes.data(), bytes.size(), fromMemory, &error)) << error;
    ExpectQuadrants(fromMemory, grey);

    QTemporaryDir folder;
    QFile file(folder.filePath("photo.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();
    Picture fromFile;
    ASSERT_TRUE(DecodeJpegFile(file.fileName().toStdString(), fromFile, &error)) << error;
    EXPECT_EQ(fromFile.Pixels, fromMemory.Pixels);
}

INSTANTIATE_TEST_SUITE_P(Layouts, JpegDecoding,
                         ::testing::Values(Layout::Baseline, Layout::Progressive, Layout::Grey,
                                           Layout::Cmyk, Layout::Ycck));

TEST(JpegDecodingFailures, TruncatedOrForeignDataIsRefusedAndTheOutputKept) {
    for (Layout layout : {Layout::Baseline, Layout::Progressive}) {
        const std::vector<uint8_t> whole = WriteJpeg(layout);
        for (size_t keep :
             {size_t(0), size_t(2), size_t(100), whole.size() / 2, whole.size() - 40}) {
            // Cut plainly, and cut with the end marker put back as some tools do.
            std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(keep));
            for (int withEnd = 0; withEnd < 2; ++withEnd, cut.insert(cut.end(), {0xFF, 0xD9})) {
                Picture picture;
                picture.Width = 9;
                std::string error;
                EXPECT_FALSE(DecodeJpegMemory(cut.data(), cut.size(), picture, &error)) << keep;
                EXPECT_FALSE(error.empty());
                EXPECT_EQ(picture.Width, 9);
            }
        }
    }
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0};
    Picture picture;
    EXPECT_FALSE(DecodeJpegMemory(png.data(), png.size(), picture));
    EXPECT_FALSE(DecodeJpegFile("/nonexistent/photo.jpg", picture));
}

TEST(JpegDecodingFailures, HugeHeaderIsRefusedBeforeDecoding) {
    std::vector<uint8_t> bytes = WriteJpeg(Layout::Baseline);
    size_t frame = 2;
    while (frame + 1 < bytes.size() && !(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC0))
        ++frame;
    ASSERT_LT(frame + 9, bytes.size());
    for (size_t at : {frame + 5, frame + 7}) { // height, then width: 60000 each
        bytes[at] = 0xEA;
        bytes[at + 1] = 0x60;
    }
    Picture picture;
    std::string error;
    EXPECT_FALSE(DecodeJpegMemory(bytes.data(), bytes.size(), picture, &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

TEST(JpegDecodingFailures, EndlessProgressiveScansAreRefused) {
    const std::vector<uint8_t> bytes = WriteJpeg(Layout::ManyScans);
    Picture picture;
    std::string error;
    EXPECT_FALSE(DecodeJpegMemory(bytes.data(), bytes.size(), picture, &error));
    EXPECT_NE(error.find("scans"), std::string::npos) << error;
}

TEST(JpegEncoding, WritesRgbaWithoutAlphaAndReplacesTheTargetOnlyOnSuccess) {
    QTemporaryDir folder;
    const std::string target = folder.filePath("saved.jpg").toStdString();
    Picture rgba{.Width = 32, .Height = 32, .Channels = 4, .Pixels = {}};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint8_t* rgb = QuadrantRgb[Quadrant(x, y)];
            rgba.Pixels.insert(rgba.Pixels.end(), {rgb[0], rgb[1], rgb[2], uint8_t(x * 8)});
        }
    std::string error;
    ASSERT_TRUE(EncodeJpegFile(target, rgba, 500, &error)) << error;
    Picture decoded;
    ASSERT_TRUE(DecodeJpegFile(target, decoded, &error)) << error;
    ExpectQuadrants(decoded, false);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"saved.jpg"});

    const qint64 savedSize = QFileInfo(QString::fromStdString(target)).size();
    Picture broken = rgba;
    broken.Pixels.resize(100);
    EXPECT_FALSE(EncodeJpegFile(target, broken, 90, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(QFileInfo(QString::fromStdString(target)).size(), savedSize);
    EXPECT_FALSE(EncodeJpegFile(folder.filePath("no/such/folder.jpg").toStdString(), rgba, 90));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"saved.jpg"});
}

} // namespace

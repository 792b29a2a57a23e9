#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>
#include <vector>
#include <zlib.h>

#include "content/picture_limits.h"
#include "content/png_codec.h"
#include "tests/support/process_memory.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int P = PNG_COLOR_TYPE_PALETTE, G = PNG_COLOR_TYPE_GRAY, GA = PNG_COLOR_TYPE_GRAY_ALPHA,
              RGB = PNG_COLOR_TYPE_RGB, RGBA = PNG_COLOR_TYPE_RGBA;

// One stored layout: packed rows (16-bit samples big-endian) and the tRNS
// chunk, which holds palette alphas, a grey key or an RGB key.
struct StoredPng {
    int type;
    int depth;
    int width;
    int height;
    Bytes rows;
    std::vector<uint16_t> trns;
    bool interlaced;
};

void AppendBytes(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

Bytes EncodePng(const StoredPng& s) {
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendBytes, nullptr);
    png_set_IHDR(png, info, s.width, s.height, s.depth, s.type, s.interlaced ? 1 : 0, 0, 0);
    const png_color palette[] = {{10, 20, 30}, {200, 100, 0}, {1, 2, 3}};
    Bytes alphas(s.trns.begin(), s.trns.end());
    std::vector<uint16_t> k = s.trns;
    k.resize(3);
    png_color_16 key = {0, k[0], k[1], k[2], k[0]};
    if (s.type == P) png_set_PLTE(png, info, palette, 3);
    if (!s.trns.empty()) png_set_tRNS(png, info, alphas.data(), int(alphas.size()), &key);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (int y = 0; y < s.height; ++y)
        rows.push_back(const_cast<uint8_t*>(s.rows.data()) + s.rows.size() / s.height * y);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

TEST(PngCodec, EveryStoredLayoutBecomesRgbOrRgba) {
    struct Case {
        int type, depth, width;
        Bytes row;
        std::vector<uint16_t> trns;
        int channels;
        Bytes pixels;
    };
    // Grey rows hold the darkest, the brightest and a middle sample.
    const Case cases[] = {
        {P, 4, 3, {0x01, 0x20}, {}, 3, {10, 20, 30, 200, 100, 0, 1, 2, 3}},
        {P, 8, 3, {0, 1, 2}, {0, 128}, 4, {10, 20, 30, 0, 200, 100, 0, 128, 1, 2, 3, 255}},
        {G, 1, 3, {0x60}, {}, 3, {0, 0, 0, 255, 255, 255, 255, 255, 255}},
        {G, 2, 3, {0x34}, {}, 3, {0, 0, 0, 255, 255, 255, 85, 85, 85}},
        {G, 4, 3, {0x0F, 0x50}, {}, 3, {0, 0, 0, 255, 255, 255, 85, 85, 85}},
        {G, 8, 3, {0, 255, 77}, {}, 3, {0, 0, 0, 255, 255, 255, 77, 77, 77}},
        {G, 16, 3, {0, 0, 255, 255, 0x80, 0x80}, {}, 3, {0, 0, 0, 255, 255, 255, 128, 128, 128}},
        {G, 8, 2, {9, 10}, {9}, 4, {9, 9, 9, 0, 10, 10, 10, 255}},
        {GA, 8, 2, {50, 60, 200, 255}, {}, 4, {50, 50, 50, 60, 200, 200, 200, 255}},
        {RGB, 8, 2, {1, 2, 3, 4, 5, 6}, {}, 3, {1, 2, 3, 4, 5, 6}},
        {RGB, 8, 2, {1, 2, 3, 4, 5, 6}, {1, 2, 3}, 3, {1, 2, 3, 4, 5, 6}}, // key ignored
        {RGB, 16, 1, {0xFF, 0xFF, 0, 0, 0x80, 0x80}, {}, 3, {255, 0, 128}},
        {RGBA, 8, 1, {7, 8, 9, 10}, {}, 4, {7, 8, 9, 10}},
        {RGBA, 16, 1, {255, 255, 0, 0, 128, 128, 64, 64}, {}, 4, {255, 0, 128, 64}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "type " << test.type << " depth " << test.depth);
        const Bytes file =
            EncodePng({test.type, test.depth, test.width, 1, test.row, test.trns, false});
        Picture picture;
        std::string error;
        ASSERT_TRUE(DecodePngMemory(file.data(), file.size(), picture, &error)) << error;
        EXPECT_EQ(picture.Width, test.width);
        EXPECT_EQ(picture.Channels, test.channels);
        EXPECT_EQ(picture.Pixels, test.pixels);
    }
}

TEST(PngCodec, InterlacedFileComesOutInPlainRowOrder) {
    StoredPng stored{RGB, 8, 11, 9, {}, {}, true};
    for (int i = 0; i < 11 * 9 * 3; ++i)
        stored.rows.push_back(uint8_t(i * 7));
    const Bytes bytes = EncodePng(stored);
    QTemporaryDir folder;
    QFile file(folder.filePath("interlaced.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();
    Picture picture;
    ASSERT_TRUE(DecodePngFile(file.fileName().toStdString(), picture));
    EXPECT_EQ(picture.Height, 9);
    EXPECT_EQ(picture.Pixels, stored.rows);
    EXPECT_FALSE(DecodePngFile(folder.filePath("missing.png").toStdString(), picture));
}

TEST(PngCodec, BrokenDataIsRefusedWithAReasonAndLeavesTheOutputAlone) {
    StoredPng stored{RGB, 8, 40, 40, Bytes(40 * 40 * 3), {}, false};
    for (size_t i = 0; i < stored.rows.size(); ++i)
        stored.rows[i] = uint8_t(i * 31 % 251);
    const Bytes file = EncodePng(stored);
    Bytes badCrc = file;
    badCrc[badCrc.size() - 20] ^= 0x55; // inside the last data chunk
    for (const Bytes& bytes :
         {Bytes{}, Bytes(file.begin(), file.begin() + 8), Bytes(file.begin(), file.begin() + 40),
          Bytes(file.begin(), file.end() - 30), badCrc, Bytes(300, 0xAB)}) {
        Picture picture{.Width = 5, .Height = 0, .Channels = 0, .Pixels = {}};
        std::string error;
        EXPECT_FALSE(DecodePngMemory(bytes.data(), bytes.size(), picture, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(picture.Width, 5);
    }
}

TEST(PngCodec, HugeHeaderIsRefusedBeforeAnyPixelMemoryIsTaken) {
    // Signature and a header chunk of 100000 x 100000 RGBA pixels, nothing more.
    Bytes file = {0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
                  'R',  0,   1,   0x86, 0xA0, 0,    1,    0x86, 0xA0, 8, 6, 0,  0,   0};
    const uLong crc = crc32(0, file.data() + 12, 17);
    file.insert(file.end(),
                {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)});
    Picture picture;
    std::string error;
    EXPECT_FALSE(DecodePngMemory(file.data(), file.size(), picture, &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;

    EXPECT_TRUE(WithinDecodeLimits(MaxDecodeSide, MaxDecodePixels / MaxDecodeSide));
    EXPECT_FALSE(WithinDecodeLimits(MaxDecodeSide, MaxDecodePixels / MaxDecodeSide + 1));
    EXPECT_FALSE(WithinDecodeLimits(MaxDecodeSide + 1, 1));
}

// Found by fuzzing: files of about a hundred bytes with a text chunk that
// claims two gigabytes, which libpng allocated and zeroed before finding the
// data missing.
TEST(PngCodec, ChunkClaimingGigabytesIsRefusedBeforeItsMemoryIsTaken) {
    for (const char* name : {"png-huge-chunk-length.png", "png-huge-text-chunk.png"}) {
        QFile file(QString(VELMORA_SOURCE_DIR "/fuzz/regressions/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        Picture picture;
        std::string error;
        EXPECT_FALSE(DecodePngMemory(bytes.constData(), size_t(bytes.size()), picture, &error));
        EXPECT_FALSE(error.empty()) << name;
    }
}

// Found in use: compressed text chunks of a few kilobytes that each inflate to
// 7 MB, which libpng kept one and all. Text is skipped unread, so the
// picture costs its pixels and libpng's few buffers.
TEST(PngCodec, TextChunksAreSkippedWithoutInflating) {
    QFile file(VELMORA_SOURCE_DIR "/fuzz/regressions/png-inflating-text-chunks.png");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (!ResetPeakMemory() || PeakMemoryKb() < 0) GTEST_SKIP() << "no peak memory to read";
    const long before = PeakMemoryKb();
    Picture picture;
    ASSERT_TRUE(DecodePngMemory(bytes.constData(), size_t(bytes.size()), picture));
    EXPECT_EQ(picture.Width, 16);
    constexpr long MarginKb = 4 * 1024;
    EXPECT_LT(PeakMemoryKb() - before, MarginKb);
}

} // namespace

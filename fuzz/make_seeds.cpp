// Writes the fuzz targets' seed corpora into fuzz/corpus/<target>/: small
// valid files of every stored layout the readers handle, and a few broken
// ones. The committed corpora were made by this program; run it again (make
// fuzz-seeds) after changing it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
#include <png.h>

#include "content/session_file.h"
#include "content/zip_archive.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

fs::path Root;

void Save(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(Root / target);
    std::ofstream(Root / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
void SaveText(const std::string& target, const std::string& name, const std::string& text) {
    Save(target, name, Bytes(text.begin(), text.end()));
}

// Picture content: a gradient, so that every sample value range is used.
uint8_t Sample(int x, int y, int c) {
    return uint8_t(x * 37 + y * 91 + c * 53);
}

void AppendPng(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

Bytes Png(int type, int depth, bool transparent, bool interlaced) {
    const int width = 7, height = 5;
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendPng, nullptr);
    png_set_IHDR(png, info, width, height, depth, type,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
    png_color palette[16];
    png_byte alphas[16];
    for (int i = 0; i < 16; ++i) {
        palette[i] = {Sample(i, 0, 0), Sample(i, 0, 1), Sample(i, 0, 2)};
        alphas[i] = png_byte(i * 17);
    }
    const int colours = type == PNG_COLOR_TYPE_PALETTE ? std::min(16, 1 << depth) : 0;
    if (colours) png_set_PLTE(png, info, palette, colours);
    png_color_16 key = {0, 1, 1, 1, 1};
    if (transparent) png_set_tRNS(png, info, alphas, colours, &key);
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const size_t rowBytes = (size_t(width) * channels * depth + 7) / 8;
    Bytes rows(rowBytes * height);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = Sample(int(i % rowBytes), int(i / rowBytes), 0);
    if (colours)
        for (uint8_t& b : rows)
            b &= depth == 8 ? 0x0F : 0xFF;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y)
        pointers.push_back(rows.data() + rowBytes * y);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

struct JpegLayout {
    J_COLOR_SPACE space;
    int components;
    bool progressive, arithmetic, subsampled;
    int restart;
};

Bytes Jpeg(const JpegLayout& layout, int width = 19, int height = 11) {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = layout.components;
    c.in_color_space = layout.space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 80, TRUE);
    if (layout.progressive) jpeg_simple_progression(&c);
    c.arith_code = layout.arithmetic;
    c.restart_interval = JDIMENSION(layout.restart);
    if (!layout.subsampled && layout.components >= 3)
        for (int i = 0; i < c.num_components; ++i)
            c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&c, TRUE);
    Bytes row(size_t(width) * layout.components);
    for (int y = 0; y < height; ++y) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = Sample(int(i), y, 0);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&c, &pointer, 1);
    }
    jpeg_finish_compress(&c);
    Bytes file(buffer, buffer + size);
    free(buffer);
    jpeg_destroy_compress(&c);
    return file;
}

// A JPEG with an Exif segment, right after the start marker, holding only the
// orientation, in Intel or Motorola byte order.
Bytes WithOrientation(const Bytes& jpeg, int orientation, bool motorola) {
    const auto u16 = [&](Bytes& b, int v) {
        motorola ? b.insert(b.end(), {uint8_t(v >> 8), uint8_t(v)})
                 : b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
    };
    const auto u32 = [&](Bytes& b, int v) {
        motorola ? (u16(b, v >> 16), u16(b, v & 0xFFFF)) : (u16(b, v & 0xFFFF), u16(b, v >> 16));
    };
    Bytes tiff = motorola ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
    u16(tiff, 42);
    u32(tiff, 8);
    u16(tiff, 1); // one entry
    u16(tiff, 0x0112), u16(tiff, 3), u32(tiff, 1), u16(tiff, orientation), u16(tiff, 0);
    u32(tiff, 0); // no next directory
    Bytes segment = {'E', 'x', 'i', 'f', 0, 0};
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    const size_t length = segment.size() + 2;
    Bytes file = {0xFF, 0xD8, 0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length)};
    file.insert(file.end(), segment.begin(), segment.end());
    file.insert(file.end(), jpeg.begin() + 2, jpeg.end());
    return file;
}

void Le(Bytes& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

// A Windows bitmap of the given bit count; compression 1 and 2 are RLE8 and
// RLE4 (their pixel data is given), 3 the bit fields of 16 and 32 bits.
Bytes Bmp(int bits, int compression, int height, const Bytes& rle = {}) {
    const int width = 5;
    const int colours = bits <= 8 ? 1 << bits : 0;
    const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    Bytes pixels = rle;
    if (rle.empty())
        for (size_t i = 0; i < stride * size_t(std::abs(height)); ++i)
            pixels.push_back(Sample(int(i % stride), int(i / stride), 1));
    const uint32_t masks = compression == 3 ? 12 : 0;
    const uint32_t offset = 14 + 40 + masks + uint32_t(colours) * 4;
    Bytes b = {'B', 'M'};
    Le(b, offset + uint32_t(pixels.size()), 4);
    Le(b, 0, 4);
    Le(b, offset, 4);
    Le(b, 40, 4);
    Le(b, width, 4);
    Le(b, uint32_t(height), 4);
    Le(b, 1, 2);
    Le(b, uint32_t(bits), 2);
    Le(b, uint32_t(compression), 4);
    Le(b, uint32_t(pixels.size()), 4);
    Le(b, 2835, 4);
    Le(b, 2835, 4);
    Le(b, uint32_t(colours), 4);
    Le(b, 0, 4);
    if (compression == 3) {
        const bool wide = bits == 32;
        Le(b, wide ? 0x00FF0000 : 0xF800, 4);
        Le(b, wide ? 0x0000FF00 : 0x07E0, 4);
        Le(b, wide ? 0x000000FF : 0x001F, 4);
    }
    for (int i = 0; i < colours; ++i)
        Le(b,
           uint32_t(Sample(i, 1, 0)) | uint32_t(Sample(i, 2, 1)) << 8 |
               uint32_t(Sample(i, 3, 2)) << 16,
           4);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bytes Cut(Bytes bytes, size_t keep) {
    bytes.resize(std::min(keep, bytes.size()));
    return bytes;
}

// The same file with its stated width and height replaced by 100,000 each.
Bytes HugePng(Bytes png) {
    for (int i : {16, 20}) {
        png[i] = 0, png[i + 1] = 0x01, png[i + 2] = 0x86, png[i + 3] = 0xA0;
    }
    return png;
}

void PngSeeds() {
    struct Layout {
        int type;
        std::vector<int> depths;
    };
    const Layout layouts[] = {{PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}},
                              {PNG_COLOR_TYPE_RGB, {8, 16}},
                              {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},
                              {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
                              {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}}};
    for (const Layout& layout : layouts)
        for (int depth : layout.depths) {
            const std::string base =
                "type" + std::to_string(layout.type) + "-depth" + std::to_string(depth);
            Save("png", base + ".png", Png(layout.type, depth, false, false));
            Save("png", base + "-interlaced.png", Png(layout.type, depth, false, true));
            if (layout.type == PNG_COLOR_TYPE_GRAY || layout.type == PNG_COLOR_TYPE_RGB ||
                layout.type == PNG_COLOR_TYPE_PALETTE)
                Save("png", base + "-trns.png", Png(layout.type, depth, true, false));
        }
    const Bytes rgba = Png(PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false);
    Save("png", "broken-truncated.png", Cut(rgba, rgba.size() / 2));
    Save("png", "broken-header-only.png", Cut(rgba, 33));
    Save("png", "broken-huge-header.png", HugePng(rgba));
}

void JpegSeeds() {
    const JpegLayout layouts[] = {
        {JCS_RGB, 3, false, false, true, 0},        {JCS_RGB, 3, false, false, false, 0},
        {JCS_GRAYSCALE, 1, false, false, false, 0}, {JCS_RGB, 3, true, false, true, 0},
        {JCS_RGB, 3, false, true, true, 0},         {JCS_RGB, 3, false, false, true, 1},
        {JCS_CMYK, 4, false, false, false, 0},      {JCS_GRAYSCALE, 1, true, false, false, 0}};
    const char* names[] = {"rgb-420",    "rgb-444",  "grey",       "progressive",
                           "arithmetic", "restarts", "cmyk-adobe", "grey-progressive"};
    for (size_t i = 0; i < std::size(names); ++i)
        Save("jpeg", std::string(names[i]) + ".jpg", Jpeg(layouts[i]));
    const Bytes plain = Jpeg(layouts[0]);
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (bool motorola : {false, true})
            Save("jpeg",
                 "orientation" + std::to_string(orientation) + (motorola ? "-mm" : "-ii") + ".jpg",
                 WithOrientation(plain, orientation, motorola));
    Save("jpeg", "broken-truncated.jpg", Cut(plain, plain.size() * 2 / 3));
    Save("jpeg", "broken-markers-only.jpg", Cut(plain, 20));
    Bytes huge = plain;
    for (size_t i = 2; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = 0x86, huge[i + 6] = 0xA0, huge[i + 7] = 0x86, huge[i + 8] = 0xA0;
            break;
        }
    Save("jpeg", "broken-huge-header.jpg", huge);
}

void BmpSeeds() {
    for (int bits : {1, 4, 8, 24, 32})
        Save("bmp", "bits" + std::to_string(bits) + ".bmp", Bmp(bits, 0, 3));
    Save("bmp", "bits16-bitfields.bmp", Bmp(16, 3, 3));
    Save("bmp", "bits32-bitfields.bmp", Bmp(32, 3, 3));
    Save("bmp", "bits24-top-down.bmp", Bmp(24, 0, -3));
    // Runs, a literal run, a delta, end of line and end of picture.
    Save("bmp", "rle8.bmp",
         Bmp(8, 1, 3, {3, 1, 0, 3, 7, 8, 9, 0, 0, 0, 2, 5, 0, 2, 1, 0, 0, 0, 0, 1}));
    Save("bmp", "rle4.bmp", Bmp(4, 2, 3, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 0, 1}));
    const Bytes plain = Bmp(24, 0, 3);
    Save("bmp", "broken-truncated.bmp", Cut(plain, plain.size() - 9));
    Bytes huge = plain;
    huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01, huge[22] = 0xA0, huge[23] = 0x86,
    huge[24] = 0x01;
    Save("bmp", "broken-huge-header.bmp", huge);
}

void LanguageSeeds() {
    SaveText("language", "texts.ini",
             "; comment\n[Options]\nHelpFile=help/index.html\n[Strings]\n1=Title\n2=two\\nlines\n"
             "50=\"Quit?\"\n100=last\n101=beyond\n");
    SaveText("language", "bom-crlf.ini", "\xEF\xBB\xBF[strings]\r\n 1 = spaced \r\n2='quoted'\r\n");
    SaveText("language", "repeated.ini",
             "[Strings]\n1=first\n1=second\n[STRINGS]\n2=later section\n");
    SaveText("language", "numbers.ini",
             "[data]\nNbGroups=$1F\nNbPics=0x10\nCount=-2147483648\npic1w=4294967296\npic1=+7\n");
    SaveText("language", "broken.ini", "[Strings\n=novalue\n1\n[]\n2=\\\n");
}

void CatalogSeeds(const Bytes& miniature) {
    const auto catalog = [&](const std::string& name, const std::string& index,
                             const std::string& group) {
        // FuzzedDataProvider reads a random-length string up to a lone
        // backslash; a doubled one stands for a backslash within the text.
        std::string bytes;
        for (const std::string& part : {index, group}) {
            for (char c : part)
                bytes += c == '\\' ? std::string("\\\\") : std::string(1, c);
            bytes += "\\\n";
        }
        bytes.append(miniature.begin(), miniature.end());
        SaveText("catalog", name, bytes);
    };
    catalog("two-groups", "[data]\nNbGroups=2\n[groups]\ngroup1=A\ngroup2=B\n",
            "[data]\nNbPics=2\n[pics]\npic1=a\npic1w=300\npic1h=200\npic2=b\n");
    catalog("count-too-large", "[data]\nNbGroups=3\n[groups]\ngroup1=A\ngroup2=B\ngroup3=C\n",
            "[data]\nNbPics=5\n[pics]\npic1=a\npic2=\npic3=b\npic4=missing\n");
    catalog("bad-sizes", "[data]\nNbGroups=1\n[groups]\ngroup1=A\n",
            "[data]\nNbPics=2\n[pics]\npic1=a\npic1w=0\npic1h=-5\npic2=b\npic2w=8000\npic2h=x\n");
    catalog("empty", "", "");
    // The group file of the user's own designs, as the program writes it; it
    // is read for the fuzzed group "A" as My designs too.
    catalog("own-designs", "[data]\nNbGroups=1\n[groups]\ngroup1=A\n",
            "; The user's own designs, kept by Velmora.\n[data]\nNbPics=3\n\n[pics]\n"
            "pic1=a\npic1w=512\npic1h=256\npic2=b\npic2w=171\npic2h=512\n"
            "pic3=a-2\npic3w=512\npic3h=512\n");
    catalog("own-designs-full", "",
            "[data]\nNbPics=200\n[pics]\npic1=a\npic1w=1\npic1h=1\npic200=b\npic200w=512\n");
}

void GallerySeeds(const Bytes& jpeg, const Bytes& png, const Bytes& bmp) {
    const auto gallery = [&](const std::string& name, const std::string& ini,
                             const Bytes& picture) {
        std::string bytes;
        for (char c : ini)
            bytes += c == '\\' ? std::string("\\\\") : std::string(1, c);
        bytes += "\\\n";
        bytes.append(picture.begin(), picture.end());
        SaveText("gallery", name, bytes);
    };
    const std::string six = "[gallery]\nCount=6\n[files]\nfile1=p.jpg\nfile2=p.png\nfile3=p.bmp\n"
                            "file4=missing.jpg\nfile5=\nfile6=p.jpg\n";
    gallery("jpeg", six, jpeg);
    gallery("png", six, png);
    gallery("bmp", six, bmp);
    gallery("few", "[gallery]\nCount=2\n[files]\nfile1=p.jpg\nfile2=p.jpg\n", jpeg);
    gallery("broken", "[gallery]\nCount=99999999999\n[files]\nfile1=p.jpg\n", Cut(jpeg, 40));
}

void Dictionaries() {
    fs::create_directories(Root.parent_path() / "dict");
    std::ofstream ini(Root.parent_path() / "dict" / "ini.dict");
    for (const char* token :
         {"[Strings]", "[Options]",    "HelpFile=", "[data]", "NbGroups=", "NbPics=",   "[groups]",
          "group1=",   "[pics]",       "pic1=",     "pic1w=", "pic1h=",    "[gallery]", "Count=",
          "[files]",   "file1=",       "\\n",       "0x",     "$",         "\r\n",      ";",
          "\"",        "\xEF\xBB\xBF", "p.jpg",     "p.png",  "p.bmp",     "a",         "b"})
        ini << '"' << [&] {
            std::string escaped;
            for (unsigned char c : std::string(token)) {
                char hex[5];
                snprintf(hex, sizeof hex, "\\x%02X", c);
                escaped +=
                    c == '"' || c == '\\' || c < 32 || c > 126 ? hex : std::string(1, char(c));
            }
            return escaped;
        }() << "\"\n";
}

} // namespace

// A small session: a 9 x 6 photo of its own pixels, two tattoos of one
// design (one hidden), paint and an open selection; then the same as another
// program would write it, and cut short.
void SessionSeeds(const Bytes& png) {
    SessionScene scene;
    Picture photo{9, 6, 3, {}};
    for (int i = 0; i < 9 * 6 * 3; ++i)
        photo.Pixels.push_back(Sample(i % 27, i / 27, 0));
    scene.Photo = std::make_shared<const Picture>(photo);
    scene.Paint = Picture{9, 6, 4, Bytes(9 * 6 * 4, 0)};
    scene.Paint.Pixels[4 * 10 + 3] = 255;
    scene.Selection = {{1, 1}, {7, 1}, {4, 5}};
    scene.SelectionClosed = false;
    scene.Designs.push_back(
        {std::make_shared<const Picture>(Picture{2, 2, 4, Bytes(16, 200)}), "Roses", "rose"});
    SessionTattoo tattoo;
    tattoo.Layer.Visible = true;
    tattoo.Layer.Alpha = 180;
    tattoo.Layer.Corners[1] = {5, 0, 1, 0};
    tattoo.Layer.Corners[2] = {5, 4, 1, 1};
    tattoo.Layer.Corners[3] = {0, 4, 0, 1};
    scene.Tattoos = {tattoo, tattoo};
    scene.Tattoos[1].Layer.Visible = false;
    scene.View.BrushSize = "20";
    Bytes session;
    std::string error;
    if (!EncodeSession(scene, session, error)) std::exit(1);
    Save("session", "session.ora", session);
    Save("session", "broken-truncated.ora", Cut(session, session.size() / 2));
    ZipWriter foreign;
    const std::string type = SessionMimeType;
    foreign.Add("mimetype", Bytes(type.begin(), type.end()), ZipWriter::Method::Stored);
    const std::string stack = "<image w=\"7\" h=\"5\"><stack><layer src=\"mergedimage.png\"/>"
                              "</stack></image>";
    foreign.Add("stack.xml", Bytes(stack.begin(), stack.end()), ZipWriter::Method::Deflated);
    foreign.Add("mergedimage.png", png, ZipWriter::Method::Deflated);
    Bytes other;
    if (!foreign.Finish(other, error)) std::exit(1);
    Save("session", "foreign.ora", other);
}

int main(int argc, char** argv) {
    Root = argc > 1 ? argv[1] : "fuzz/corpus";
    PngSeeds();
    JpegSeeds();
    BmpSeeds();
    LanguageSeeds();
    const Bytes miniature = Jpeg({JCS_RGB, 3, false, false, true, 0}, 12, 9);
    CatalogSeeds(miniature);
    GallerySeeds(miniature, Png(PNG_COLOR_TYPE_RGB, 8, false, false), Bmp(24, 0, 3));
    SessionSeeds(Png(PNG_COLOR_TYPE_RGB, 8, false, false));
    Dictionaries();
    return 0;
}

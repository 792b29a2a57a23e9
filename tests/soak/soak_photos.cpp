#include "tests/soak/soak_photos.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <sys/stat.h>

#include "tests/support/hostile_pictures.h"

namespace {

// A picture with some structure, so that tiles and turns are told apart.
QImage Photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(190, 150, 120));
    QPainter painter(&image);
    painter.fillRect(0, 0, (width + 1) / 2, (height + 1) / 2, QColor(40, 90, 160));
    return image;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

std::vector<std::string> WriteSoakPhotos(const std::string& folder) {
    const QDir dir(QString::fromStdString(folder));
    struct Sized {
        const char* Name;
        int Width, Height;
    };
    const Sized photos[] = {{"tiny.png", 1, 1},          {"strip.png", 1, 2048},
                            {"thin.bmp", 7, 300},        {"wide.jpg", 2048, 3},
                            {"full.jpg", 2048, 2048},    {"odd.png", 513, 1025},
                            {"mid.jpeg", 640, 480},      {"over.png", 2049, 16},
                            {"tall_over.jpg", 16, 2100}, {"camera.jpg", 4032, 3024}};
    for (const Sized& photo : photos)
        Photo(photo.Width, photo.Height).save(dir.filePath(photo.Name));
    const QByteArray png = Encoded(Photo(40, 30), "PNG");
    const QByteArray jpeg = Encoded(Photo(40, 30), "JPG");
    WriteBytes(dir.filePath("cut.png"), png.left(png.size() / 2));
    WriteBytes(dir.filePath("cut.jpg"), jpeg.left(jpeg.size() / 2));
    WriteBytes(dir.filePath("noise.jpg"), QByteArray("\xff\xd8\xff\xe0") + QByteArray(300, '\x5a'));
    WriteBytes(dir.filePath("empty.bmp"), QByteArray());
    WriteBytes(dir.filePath("liar.jpg"), png);
    WriteBytes(dir.filePath("claims.jpg"), ClaimingSize(jpeg, 8000, 8000));
    WriteBytes(dir.filePath("texts.png"), WithInflatingTextChunks(png, 100));
    mkfifo(dir.filePath("pipe.jpg").toLocal8Bit().constData(), 0600);
    WriteBytes(dir.filePath("notes.gif"), png);
    dir.mkdir("folder.png");
    std::vector<std::string> paths;
    QByteArray files;
    int n = 0;
    for (const char* name :
         {"tiny.png",   "strip.png", "thin.bmp",      "wide.jpg",   "full.jpg",    "odd.png",
          "mid.jpeg",   "over.png",  "tall_over.jpg", "cut.png",    "cut.jpg",     "noise.jpg",
          "empty.bmp",  "liar.jpg",  "notes.gif",     "folder.png", "missing.jpg", "camera.jpg",
          "claims.jpg", "texts.png", "pipe.jpg"}) {
        paths.push_back(dir.filePath(name).toStdString());
        files += "file" + QByteArray::number(++n) + "=" + name + "\n";
    }
    WriteBytes(dir.filePath("gallery.ini"),
               "[gallery]\nCount=" + QByteArray::number(n) + "\n[files]\n" + files);
    return paths;
}

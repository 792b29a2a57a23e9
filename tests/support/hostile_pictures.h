#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <zlib.h>

// Picture files that once cost the program gigabytes or its responsiveness,
// made from small valid ones so that no large file is kept in the sources.

// A small flat picture in the format Qt calls `format` ("PNG", "JPG", "BMP").
inline QByteArray Encoded(const char* format, int width = 40, int height = 30,
                          QColor fill = QColor(200, 120, 40)) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(fill);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The PNG with `chunks` compressed text chunks after its header, each a few
// kilobytes that inflate to 7 MB.
inline QByteArray WithInflatingTextChunks(const QByteArray& png, int chunks) {
    constexpr int InflatedBytes = 7 << 20;
    constexpr int QtLengthPrefix = 4; // qCompress puts the length before zlib's stream
    constexpr int HeaderEnd = 33;     // signature and IHDR
    const auto bigEndian = [](quint32 value) {
        return QByteArray::fromHex(QByteArray::number(value, 16).rightJustified(8, '0'));
    };
    const QByteArray body = "zTXtComment" + QByteArray(2, '\0') +
                            qCompress(QByteArray(InflatedBytes, '\0'), 9).mid(QtLengthPrefix);
    const auto crc =
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size())));
    const QByteArray chunk = bigEndian(quint32(body.size() - 4)) + body + bigEndian(crc);
    return png.left(HeaderEnd) + chunk.repeated(chunks) + png.mid(HeaderEnd);
}

// The baseline JPEG with its frame header claiming width x height.
inline QByteArray ClaimingSize(QByteArray jpeg, int width, int height) {
    const int frame = int(jpeg.indexOf(QByteArray::fromHex("ffc0")));
    const char size[4] = {char(height >> 8), char(height), char(width >> 8), char(width)};
    jpeg.replace(frame + 5, 4, QByteArray(size, 4));
    return jpeg;
}

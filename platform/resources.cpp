#include "platform/resources.h"

#include <QFile>
#include <QString>

static QString ResourcePath(const char* name) {
    return QStringLiteral(":/") + QLatin1String(name);
}

bool ResourceExists(const char* name) {
    return QFile::exists(ResourcePath(name));
}

QByteArray ResourceData(const char* name) {
    QFile file(ResourcePath(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QImage ResourceBitmap(const char* name) {
    QImage image;
    image.loadFromData(ResourceData(name));
    return image;
}

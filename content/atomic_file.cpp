#include "content/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QString>

bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error) {
    const QString name = QString::fromStdString(path);
    // Renaming over a folder could succeed on some file systems and leave the
    // picture where the user expects a folder.
    if (QFileInfo(name).isDir()) {
        if (error) *error = path + " is a folder";
        return false;
    }
    QSaveFile file(name);
    // Writing straight into the target would lose it on a full disk.
    file.setDirectWriteFallback(false);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(static_cast<const char*>(data), qint64(size)) == qint64(size) &&
                         file.commit();
    if (!written && error)
        *error = "cannot write " + path + ": " + file.errorString().toStdString();
    return written;
}

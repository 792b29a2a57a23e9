#include "ui/dialog_folders.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString FolderKey(PictureDialog dialog) {
    return dialog == PictureDialog::Open ? "Folders/OpenPicture" : "Folders/SavePicture";
}

// An INI file at a path of our own: the default location would depend on an
// organisation name the program does not set.
QSettings UserSettings() {
    return QSettings(SettingsFilePath(), QSettings::IniFormat);
}

constexpr const char* InkLookForNewKey = "Ink/InkLookForNew";

} // namespace

QString SettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/velmora.conf";
}

QString DialogStartFolder(PictureDialog dialog, const QString& initial) {
    const QString folder = UserSettings().value(FolderKey(dialog)).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return initial;
    return folder;
}

// A settings file that cannot be written only means the folder is not kept.
void RememberDialogFolder(PictureDialog dialog, const QString& confirmedFile) {
    UserSettings().setValue(FolderKey(dialog), QFileInfo(confirmedFile).absolutePath());
}

bool RememberedInkLookForNew() {
    return UserSettings().value(InkLookForNewKey, false).toBool();
}

void RememberInkLookForNew(bool on) {
    UserSettings().setValue(InkLookForNewKey, on);
}

#pragma once

#include <QString>

// The folders the Open picture and Save picture dialogs were last confirmed
// in, kept between runs in the user's settings file (velmora.conf in
// $XDG_CONFIG_HOME/velmora, usually ~/.config/velmora), with the ink look
// chosen for new tattoos.

enum class PictureDialog { Open, Save };

// Where the dialog starts: the folder it was last confirmed in while that
// still exists, otherwise `initial`.
QString DialogStartFolder(PictureDialog dialog, const QString& initial);

// Keeps the folder of the confirmed file for the next time, in this run and
// later ones.
void RememberDialogFolder(PictureDialog dialog, const QString& confirmedFile);

// Whether new tattoos get the ink look (Shift+I), as last chosen; off when
// never chosen.
bool RememberedInkLookForNew();
void RememberInkLookForNew(bool on);

// The settings file's path.
QString SettingsFilePath();

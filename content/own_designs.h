#pragma once

#include <string>

#include "content/design_import.h"

// The user's own designs: the catalog group "My designs", shown after the
// shipped groups, kept in the program's data folder in the catalog's own
// file format (a group file "data.ini" with a PNG picture and a JPEG
// miniature per design). The group is in the catalog only while it holds a
// design. Shipped groups are never written.

// No more designs than this are kept; every miniature stays in memory.
constexpr int MaxOwnDesigns = 200;

// "designs" in the program's data folder ($XDG_DATA_HOME/velmora, usually
// ~/.local/share/velmora).
std::string OwnDesignsFolder();

// Reads the group in the folder and appends it to the catalog when it holds
// any design. Called once, after the shipped catalog has been read.
void ReadOwnDesigns(const std::string& folder);

// The catalog index of My designs; -1 while it is not in the catalog.
int OwnDesignsGroup();

// False, after saying so, when My designs is full.
bool OwnDesignsHaveRoom();

// Keeps the prepared design in My designs under a name made from its file's,
// and shows it; a design kept already (the same picture imported again) is
// only shown. A problem in the preparation, a full group or a folder that
// cannot be written is reported and leaves the group and its files as they
// were. True when the design was kept.
bool StoreOwnDesign(const PreparedDesign& design);

// Says why a picture could not become a design.
void ReportDesignProblem(DesignProblem problem);

// Asks, then removes the current design when it is one of My designs: its
// entry from the group file (written first, atomically) and its two files.
// Tattoos already made from it stay on the photo. Nothing happens over a
// shipped group. True when the design was removed.
bool RemoveShownOwnDesign();

// A file name's base made safe for a design's two files and the group file:
// letters and digits of any script, '-' and '_' (every other run of
// characters becomes one '_'), at most a few dozen of them; "design" when
// nothing is left.
std::string SafeDesignName(const std::string& base);

// Takes My designs out of the catalog in memory, its files left as they are,
// and shows the first group if it was shown: once its last design is removed,
// and for tests.
void ForgetOwnDesigns();

#pragma once

#include <string>

#include "content/session_file.h"

// Opening and saving sessions from the editor (GUI thread, canvas context).

// Opens the session file in place of the current scene. A file that cannot
// be used gets a message naming the cause and leaves the scene exactly as
// it was. True when the scene was replaced.
bool OpenSessionFile(const std::string& path);

// Puts a decoded session into the editor: photo, tattoos (catalog designs
// that are still there share the catalog's textures), paint layer,
// selection, view, tool, colour and brush size.
void ApplySessionScene(const SessionScene& scene);

// Saves the scene as a session at the path (".ora" added when the name has
// no extension), reporting a failure in a message box. The path written, or
// empty on failure.
std::string SaveSessionFile(const std::string& path);

// The message for a session that cannot be opened.
std::string SessionProblemText(SessionProblem problem);

// A session file is read whole into memory, and none is larger than this.
constexpr long long MaxSessionFileBytes = 768LL * 1024 * 1024;
bool ReadSessionBytes(const std::string& path, std::vector<uint8_t>& bytes);

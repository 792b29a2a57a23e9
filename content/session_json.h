#pragma once

#include <QByteArray>
#include <string>

#include "content/session_scene.h"

// Velmora's own part of a session: velmora/session.json, which painting
// programs leave alone. It names the other entries it uses; the pictures
// themselves are separate PNG (or photo file) entries.

inline constexpr const char* SessionJsonEntry = "velmora/session.json";
std::string SessionPhotoEntry(const std::string& suffix);
std::string SessionDesignEntry(int index);
inline constexpr const char* SessionPaintEntry = "velmora/paint.png";

// The JSON text of the scene; `painted` says whether the paint entry exists.
QByteArray SessionJson(const SessionScene& scene, bool painted);

// What the JSON asks for: the scene's values (its pictures still empty) and
// the entries holding them.
struct SessionIndex {
    int Version = 0;
    std::string PhotoEntry;
    std::string PhotoSuffix; // empty when the entry is the photo as PNG
    int PhotoWidth = 0;
    int PhotoHeight = 0;
    std::string PaintEntry; // empty when nothing is painted
    std::vector<std::string> DesignEntries;
};
enum class SessionJsonProblem { None, Broken, Newer };
SessionJsonProblem ParseSessionJson(const QByteArray& text, SessionScene& scene,
                                    SessionIndex& index);

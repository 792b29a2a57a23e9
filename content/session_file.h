#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/session_scene.h"

// Session files: OpenRaster (.ora) archives that painting programs open as a
// stack of layers (the photo as shown, each tattoo as it looks, the paint
// layer) with the composed picture as mergedimage.png, and that this
// program opens as the editable scene from its own entries under velmora/.

inline constexpr const char* SessionMimeType = "image/openraster";
inline constexpr const char* SessionSuffix = ".ora";
// The thumbnail's longest side, as OpenRaster asks.
constexpr int SessionThumbnailSide = 256;
inline constexpr const char* MergedEntry = "mergedimage.png";
// The layer pictures are written at a fast zlib level: at the default one a
// session of a large painted scene took seconds to save. The composed
// picture keeps Save's level, so that its bytes are Save's.
constexpr int SessionLayerCompression = 2;

// The archive's bytes. Runs on any thread: it touches no editor state.
bool EncodeSession(const SessionScene& scene, std::vector<uint8_t>& out, std::string& error);
// Encodes and writes atomically: a failure leaves any file at the path as it was.
bool WriteSessionFile(const std::string& path, const SessionScene& scene, std::string& error);

// Why a session cannot be opened; each has its own message.
enum class SessionProblem { None, NotASession, Damaged, TooLarge, Newer };

// Reads a session's bytes into a scene, checking everything before any of it
// is used. A foreign OpenRaster file (without Velmora's entries) reads as a
// scene of its composed picture alone, within the photo limits. Runs on any
// thread; no GL, no editor state.
SessionProblem DecodeSession(const std::vector<uint8_t>& bytes, SessionScene& out);
// The same straight from a file: only the entries used are read.
SessionProblem DecodeSessionFile(const std::string& path, SessionScene& out);
class ZipReader;
SessionProblem DecodeSessionZip(ZipReader& zip, SessionScene& out);

// Turns an upright picture by quarter turns clockwise, as the canvas shows it.
Picture TurnedPicture(const Picture& picture, int quarterTurns);

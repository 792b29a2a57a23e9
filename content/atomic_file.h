#pragma once

#include <cstddef>
#include <string>

// Writes the bytes to a temporary file in the target's folder and renames it
// over the target only once everything is on disk. On any failure (a
// read-only folder, a full disk, a target that is a folder) the target keeps
// what it held, the temporary file is removed, and `error`, when given, says
// why. On Linux the temporary file has no name until it is complete, so a save
// killed halfway leaves nothing behind either.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error = nullptr);

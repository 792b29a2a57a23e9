#pragma once

#include <string>
#include <vector>

// A gallery file, "gallery.ini":
//   [gallery] Count=N
//   [files]   file1=name ... fileN=name
// Names are relative to the folder that holds the file; comment lines start
// with ';'.

// The names the file lists, in order, empty names left out; none when the
// file is missing or lists nothing.
std::vector<std::string> ReadGalleryNames(const std::string& iniPath);

// Whether a gallery picture can be shown: a readable file of a photo type
// whose header its type's reader accepts (the pixels are not decoded).
bool UsableGalleryPicture(const std::string& path);

// Writes the file anew, atomically, with the given names as its Count and
// fileN keys. Everything else a person put there (comments, other keys and
// sections, names past the new count) stays where it was, in the file's own
// line ends; a new file gets a standard comment.
bool WriteGalleryNames(const std::string& iniPath, const std::vector<std::string>& names,
                       std::string* error = nullptr);

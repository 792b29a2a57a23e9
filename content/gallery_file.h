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

// Writes the file anew, atomically, with the given names and the comment
// lines that led the file before (a standard comment for a new file).
bool WriteGalleryNames(const std::string& iniPath, const std::vector<std::string>& names,
                       std::string* error = nullptr);

#pragma once

#include <string>
#include <vector>

// Writes into `folder` the photos a soak opens: sizes from one pixel to the
// limit and past it, every format, and files that are empty, cut short, not
// pictures at all, misnamed, missing or folders. Also a gallery.ini naming
// all of them. Returns their full paths.
std::vector<std::string> WriteSoakPhotos(const std::string& folder);

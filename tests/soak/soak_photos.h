#pragma once

#include <string>
#include <vector>

// Writes into `folder` the photos a soak opens: sizes from one pixel to the
// limit and past it (a camera's 4032 x 3024 among them), every format, and
// files that are empty, cut short, not pictures at all, misnamed, missing,
// folders or a FIFO, a JPEG whose header lies about its size and a PNG full
// of text chunks that inflate to gigabytes. Also a gallery.ini naming
// all of them. Returns their full paths.
std::vector<std::string> WriteSoakPhotos(const std::string& folder);

#pragma once

#include <png.h>

// libpng's error and warning callbacks for every reader and writer of PNG
// data. The error pointer given to libpng is a buffer of PngMessageSize
// characters that receives the error's text before the jump back to the
// caller's setjmp; warnings are about damage libpng steps over and are dropped.
constexpr int PngMessageSize = 256;
void OnPngError(png_structp png, png_const_charp message);
void OnPngWarning(png_structp png, png_const_charp message);

#pragma once

#include <QByteArray>
#include <QImage>

// The pictures the program carries, looked up by resource name ("MAIN_FORM").
bool ResourceExists(const char* name);
// The resource's bytes as stored (a PNG or BMP file); empty when missing.
QByteArray ResourceData(const char* name);
// The resource decoded as a bitmap; a null image when missing.
QImage ResourceBitmap(const char* name);

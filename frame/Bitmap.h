// 24-bit uncompressed Windows bitmap files (wallpapers).
#pragma once

#include <string>

#include "engine/Pixmap.h"

// Writes the pixmap as a bottom-up 24-bit BMP, through a temporary file.
// False when it cannot be written.
bool WriteBitmap24(const TPixmap& pixmap, const std::string& path);
// Loads the image file and writes its first frame as a 24-bit bitmap;
// nothing is written when either step fails.
bool SaveImageAsBitmap(const std::string& imageFile, const std::string& bitmapFile);

// Bitmaps from the program's resources (RT_BITMAP: a whole .bmp file).
#pragma once

#include <span>

#include "platform/user/user.h"

namespace plat {

// The bitmap resource `name` of `instance` as a bitmap of the display's
// kind; null when there is none or its file is not an uncompressed BMP of
// 1, 4, 8, 24 or 32 bits per pixel.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
// The same from the bytes of a .bmp file, checked completely first
// (platform/user/controls/images.cpp reads images of every kind).
HBITMAP bitmap_from_bmp(std::span<const BYTE> file);

}  // namespace plat

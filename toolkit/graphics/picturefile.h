// Whole picture files read into memory and written from it, through the
// platform's file services, with the picture routines' status codes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/graphics/bmpfile.h"
#include "toolkit/graphics/pcxfile.h"

namespace tsd {

// Largest picture file read: a true-colour picture of the largest size
// with room for its headers.
inline constexpr std::size_t kPictureMaxFileBytes = (static_cast<std::size_t>(kPictureMaxPixels) * 4) + (1u << 20);

// The file name without trailing blanks (names may come blank-padded).
std::string picturename(const char* filename);

// Reads a whole file: 0, 1 (cannot be opened; oserror set) or 2 (a read
// failed or the file is larger than any picture).
int readpicturefile(const char* filename, std::vector<std::uint8_t>& bytes, int& oserror);
// Creates or replaces a file with the bytes, by way of a temporary file
// beside it that then takes its place, so the file is either the old one
// or the whole new one: 0, 1 (cannot be created, or an existing file
// cannot be written; oserror set) or 2 (writing or replacing failed;
// oserror set, the old file untouched and no temporary file left).
int writepicturefile(const char* filename, const std::vector<std::uint8_t>& bytes, int& oserror);

// Reads and checks a BMP file: 0, 1 or 2 as readpicturefile, 2 also for a
// file that is not a picture decode_bmp accepts.
int xxreaddib(const char* filename, BmpImage& image, int& oserror);

}  // namespace tsd

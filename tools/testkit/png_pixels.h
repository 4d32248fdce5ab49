// Reading back a PNG a test wrote (a screenshot of the headless screen), so
// the test can check its pixels.
//
// Header only; the test program links libpng (the platform library does).
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tsd::testkit {

struct PngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0xRRGGBB, rows from the top
  std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

// False when the file cannot be read as a PNG.
inline bool readpng(const std::string& path, PngPixels& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return false;
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  for (std::size_t i = 0; i < out.rgb.size(); ++i)
    out.rgb[i] = static_cast<std::uint32_t>(bytes[3 * i]) << 16 | static_cast<std::uint32_t>(bytes[3 * i + 1]) << 8 |
                 bytes[3 * i + 2];
  return true;
}

}  // namespace tsd::testkit

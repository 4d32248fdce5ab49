// PNG output and input of a surface through libpng.
#include "platform/gdi/surface_png.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace plat {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool WriteSurfacePng(const Surface& surface, const std::string& path) {
  if (surface.width <= 0 || surface.height <= 0 ||
      surface.pixels.size() < static_cast<std::size_t>(surface.width) * static_cast<std::size_t>(surface.height))
    return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(surface.width) * 3);
  // libpng reports errors by jumping back here.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width), static_cast<png_uint_32>(surface.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < surface.height; ++y) {
    const std::uint32_t* src = surface.row(y);
    for (int x = 0; x < surface.width; ++x) {
      row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>(src[x] >> 16);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(src[x] >> 8);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(src[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

bool ReadSurfacePng(const std::string& path, Surface* out) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return false;
  img.format = PNG_FORMAT_BGRA;
  out->resize(static_cast<int>(img.width), static_cast<int>(img.height));
  if (!png_image_finish_read(&img, nullptr, out->pixels.data(), 0, nullptr)) {
    png_image_free(&img);
    return false;
  }
  for (auto& p : out->pixels) p &= 0x00ffffff;
  return true;
}

}  // namespace plat

// libFuzzer target: the PCX and BMP readers on arbitrary bytes. A file a
// reader accepts must describe a picture of the sizes it claims, within the
// limits, and must come back the same after being written again.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "toolkit/graphics/bmpfile.h"
#include "toolkit/graphics/pcxfile.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void pcx(std::span<const std::uint8_t> bytes) {
  tsd::PcxImage im;
  if (tsd::decode_pcx(bytes, im) != tsd::kPictureOk) {
    check(im.width == 0 && im.pixels.empty());
    return;
  }
  check(im.width >= 1 && im.height >= 1);
  check(static_cast<long>(im.width) * im.height <= tsd::kPictureMaxPixels);
  check(im.pixels.size() == static_cast<std::size_t>(im.width) * static_cast<std::size_t>(im.height));
  tsd::PcxImage again;
  check(tsd::decode_pcx(tsd::encode_pcx(im), again) == tsd::kPictureOk);
  check(again.width == im.width && again.height == im.height);
  check(again.pixels == im.pixels && again.palette == im.palette);
}

void bmp(std::span<const std::uint8_t> bytes) {
  tsd::BmpImage im;
  if (tsd::decode_bmp(bytes, im) != tsd::kPictureOk) {
    check(im.bits.empty() && im.colours.empty());
    return;
  }
  const plat::BITMAPINFOHEADER& h = im.header;
  const long rows = h.biHeight < 0 ? -static_cast<long>(h.biHeight) : h.biHeight;
  check(h.biWidth >= 1 && rows >= 1 && static_cast<long>(h.biWidth) * rows <= tsd::kPictureMaxPixels);
  check(im.bits.size() == tsd::dibrowbytes(h.biWidth, h.biBitCount) * static_cast<std::size_t>(rows));
  check(im.bits.size() == h.biSizeImage);
  check(im.colours.size() == static_cast<std::size_t>(tsd::xxdibnumcolours(h)));
  check(h.biBitCount > 8 || im.colours.size() <= (1u << h.biBitCount));
  check(im.colours.size() <= 256);
  tsd::BmpImage again;
  check(tsd::decode_bmp(tsd::encode_bmp(im), again) == tsd::kPictureOk);
  check(again.bits == im.bits && again.colours.size() == im.colours.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  pcx(bytes);
  bmp(bytes);
  return 0;
}

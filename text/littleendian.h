// Little-endian values in a block of bytes, as the file formats the tree
// reads store them (BMP, PCX, metafiles, stroke fonts, resources). A read
// that does not fit inside the bytes gives 0, so a short or damaged file
// never makes a reader look outside what it was given.
//
// Header only: the lowest layer, usable by every other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace text {

inline bool fits(std::span<const std::uint8_t> b, std::size_t at, std::size_t n) {
  return at <= b.size() && n <= b.size() - at;
}

inline std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
  if (!fits(b, at, 2)) return 0;
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

inline std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
  if (!fits(b, at, 4)) return 0;
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

inline std::int16_t les16(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int16_t>(le16(b, at)); }
inline std::int32_t les32(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int32_t>(le32(b, at)); }

}  // namespace text

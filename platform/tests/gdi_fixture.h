// Small helpers for the drawing-layer tests: a white surface with a
// context on it, pixel reads, a text picture of a surface for failure
// messages, hashes, and PNG output of a surface that did not match.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gdi/gdi.h"
#include "tools/testkit/picture_output.h"

namespace gditest {

using namespace plat;

inline constexpr std::uint32_t kWhite = 0x00ffffff;
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);

// A surface (white) and a context covering all of it.
struct Canvas {
  Surface surface;
  HDC dc = nullptr;
  Canvas(int w, int h, std::uint32_t fill = kWhite) {
    surface.resize(w, h, fill);
    dc = CreateSurfaceDC(&surface, {0, 0}, {0, 0, w, h});
  }
  ~Canvas() { DeleteSurfaceDC(dc); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Surface pixel as a colour reference.
  COLORREF at(int x, int y) const {
    const std::uint32_t p = surface.row(y)[x];
    return ((p & 0xffu) << 16) | (p & 0xff00u) | ((p >> 16) & 0xffu);
  }
  bool white(int x, int y) const { return surface.row(y)[x] == kWhite; }

  // One character a pixel: '.' white, '#' black, 'r' 'g' 'b' pure
  // colours, '?' anything else.
  std::string picture() const {
    std::string s = "\n";
    for (int y = 0; y < surface.height; ++y) {
      for (int x = 0; x < surface.width; ++x) {
        const COLORREF c = at(x, y);
        s += c == RGB(255, 255, 255) ? '.' : c == kBlack ? '#' : c == kRed ? 'r' : c == kGreen ? 'g' : c == kBlue ? 'b' : '?';
      }
      s += '\n';
    }
    return s;
  }
};

// Pens and brushes selected for the lifetime of the object, deleted after.
struct Selected {
  HDC dc;
  HGDIOBJ object;
  HGDIOBJ old;
  Selected(HDC d, HGDIOBJ o) : dc(d), object(o), old(SelectObject(d, o)) {}
  ~Selected() {
    SelectObject(dc, old);
    DeleteObject(object);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
};

inline std::uint64_t Hash(const Surface& s) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xffu;
      h *= 1099511628211ull;
    }
  };
  mix(static_cast<std::uint32_t>(s.width));
  mix(static_cast<std::uint32_t>(s.height));
  for (std::uint32_t p : s.pixels) mix(p);
  return h;
}

// Where pictures written by the tests go.
inline std::string OutputPath(const std::string& name) { return tsd::testkit::pictureoutput("gdi_pictures", name + ".png"); }

// Compares a surface with its golden hash; on a difference the surface is
// written as PNG so a person can look at it.
inline void ExpectGolden(const Surface& s, std::uint64_t golden, const std::string& name) {
  const std::uint64_t h = Hash(s);
  if (h != golden) {
    const std::string path = OutputPath(name);
    WriteSurfacePng(s, path);
    ADD_FAILURE() << name << ": expected hash 0x" << std::hex << golden << ", got 0x" << h << "; picture in " << path;
  }
}

}  // namespace gditest

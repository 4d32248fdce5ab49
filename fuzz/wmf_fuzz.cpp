// libFuzzer target: the classic-metafile player on arbitrary bytes, played
// as the toolkit plays it: anisotropic mapping with the viewport on a
// rectangle of a window-sized surface. Playback must end quickly (the run's
// time limit per input finds hangs) and leave the context's objects, modes,
// clip and mapping as they were.
#include <cstdint>

#include "fuzz/metafile_fuzz.h"
#include "platform/gdi/metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A placeable header is skipped, as the toolkit skips it.
  constexpr std::size_t kPlaceable = 22;
  if (size >= kPlaceable && data[0] == 0xD7) {
    data += kPlaceable;
    size -= kPlaceable;
  }
  plat::HMETAFILE mf = plat::SetMetaFileBitsEx(static_cast<plat::UINT>(size), data);
  if (mf == nullptr) return 0;
  fuzzmeta::Canvas c(640, 480);
  plat::SetMapMode(c.dc, plat::MM_ANISOTROPIC);
  plat::SetViewportOrgEx(c.dc, 20, 10, nullptr);
  plat::SetViewportExtEx(c.dc, 580, 440, nullptr);
  fuzzmeta::check(plat::PlayMetaFile(c.dc, mf) == plat::TRUE);
  c.unchanged();
  fuzzmeta::check(plat::GetMapMode(c.dc) == plat::MM_ANISOTROPIC);
  plat::POINT org{};
  plat::SIZE ext{};
  plat::GetViewportOrgEx(c.dc, &org);
  plat::GetViewportExtEx(c.dc, &ext);
  fuzzmeta::check(org.x == 20 && org.y == 10 && ext.cx == 580 && ext.cy == 440);
  plat::DeleteMetaFile(mf);
  return 0;
}

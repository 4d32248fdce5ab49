// libFuzzer target: the enhanced-metafile player on arbitrary bytes, played
// into a rectangle of a window-sized surface. Playback must end quickly
// (the run's time limit per input finds hangs) and leave the context's
// objects, modes and clip as they were.
#include <cstdint>

#include "fuzz/metafile_fuzz.h"
#include "platform/gdi/metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plat::HENHMETAFILE mf = plat::SetEnhMetaFileBits(static_cast<plat::UINT>(size), data);
  if (mf == nullptr) return 0;
  fuzzmeta::Canvas c(640, 480);
  const plat::RECT rect{20, 10, 600, 450};
  fuzzmeta::check(plat::PlayEnhMetaFile(c.dc, mf, &rect) == plat::TRUE);
  c.unchanged();
  plat::DeleteEnhMetaFile(mf);
  return 0;
}

// GDI drawing layer, metafiles: an enhanced or classic metafile file played
// into a rectangle of the drawing surface.
#include <cstdint>
#include <vector>

#include "platform/gdi/metafile.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/graphics/pcxfile.h"
#include "toolkit/graphics/picturefile.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

constexpr std::uint8_t kPlaceableMark = 0xD7;  // first byte of a placeable header
constexpr std::size_t kPlaceableHeader = 22;

}  // namespace

int xxmwinplaymetafile(int x1, int y1, int x2, int y2, int& status, const char* filename) {
  std::vector<std::uint8_t> bytes;
  int oserror = 0;
  status = readpicturefile(filename, bytes, oserror);
  if (status != kPictureOk) return 0;
  std::size_t skip = 0;
  if (!bytes.empty() && bytes[0] == kPlaceableMark) skip = std::min(kPlaceableHeader, bytes.size());
  const plat::BYTE* data = bytes.data() + skip;
  const auto size = static_cast<plat::UINT>(bytes.size() - skip);
  if (plat::HENHMETAFILE emf = plat::SetEnhMetaFileBits(size, data)) {
    // Both corners are inside the picture, as for classic metafiles.
    const plat::RECT rect{x1, y1, x2 + 1, y2 + 1};
    if (hdc != nullptr) plat::PlayEnhMetaFile(hdc, emf, &rect);
    plat::DeleteEnhMetaFile(emf);
    status = kPictureOk;
    return 0;
  }
  plat::HMETAFILE wmf = plat::SetMetaFileBitsEx(size, data);
  if (wmf == nullptr) {
    status = kPictureBadFile;
    return 0;
  }
  if (hdc != nullptr) {
    const int oldmode = plat::SetMapMode(hdc, plat::MM_ANISOTROPIC);
    plat::POINT oldorg;
    plat::SIZE oldext;
    plat::SetViewportOrgEx(hdc, x1, y1, &oldorg);
    plat::SetViewportExtEx(hdc, x2 - x1 + 1, y2 - y1 + 1, &oldext);
    plat::PlayMetaFile(hdc, wmf);
    plat::SetMapMode(hdc, oldmode);
    plat::SetViewportOrgEx(hdc, oldorg.x, oldorg.y, nullptr);
    plat::SetViewportExtEx(hdc, oldext.cx, oldext.cy, nullptr);
  }
  plat::DeleteMetaFile(wmf);
  status = kPictureOk;
  return 0;
}

}  // namespace tsd

// The root window's menu bar and its accelerator table, from the program's
// resources, and the translation of accelerator keys in the message loop.
#include "platform/user/menu/menu.h"
#include "platform/user/user.h"
#include "toolkit/window/wresource.h"
#include "toolkit/window/wstate.h"

namespace tsd {

plat::HMENU yyloadmenubar(int id) {
  return plat::LoadMenuA(wsys.wInstance, plat::MAKEINTRESOURCEA(id));
}

plat::HACCEL yyloadaccelerators(int id) {
  return plat::LoadAcceleratorsA(wsys.wInstance, plat::MAKEINTRESOURCEA(id));
}

void yyfreemenubar() {
  // The frame is gone: its menu bar and accelerator table go with it.
  if (wsys.wRootMenu && plat::IsMenu(wsys.wRootMenu)) plat::DestroyMenu(wsys.wRootMenu);
  if (wsys.wAccel) plat::DestroyAcceleratorTable(wsys.wAccel);
  wsys.wRootMenu = nullptr;
  wsys.wAccel = nullptr;
}

bool yytranslateaccelerator(plat::MSG* msg) {
  if (!wsys.wAccel) return false;
  plat::HWND frame = wsys.slots[wsys.wIndex].wWindow;
  if (!frame) frame = wsys.slots[0].wWindow;
  if (!frame) return false;
  return plat::TranslateAcceleratorA(frame, wsys.wAccel, msg) != 0;
}

}  // namespace tsd

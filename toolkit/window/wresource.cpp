// Resources and neighbouring services of the root window. The menu bar and
// accelerators come from the menu services; until this build has them a
// root window opens without a menu (its companion record is still found).
// The kernel and window-service headers are kept apart: this file uses the
// kernel's (the fatal box is in wfatal.cpp).
#include "toolkit/window/wresource.h"

#include "platform/kernel/kernel.h"
#include "platform/kernel/resources.h"

namespace tsd {

plat::HINSTANCE yymoduleinstance() { return plat::GetModuleHandleA(nullptr); }

plat::HMENU yyloadmenubar(int) { return nullptr; }

plat::HACCEL yyloadaccelerators(int) { return nullptr; }

void yymenucompanion(int id, const void*& data, int& size) {
  data = nullptr;
  size = 0;
  if (id <= 0) return;
  plat::HMODULE module = plat::GetModuleHandleA(nullptr);
  plat::HRSRC found = plat::FindResourceA(module, plat::MAKEINTRESOURCEA(static_cast<unsigned>(id)), plat::RT_RCDATA);
  if (!found) return;
  data = plat::LockResource(plat::LoadResource(module, found));
  size = data ? static_cast<int>(plat::SizeofResource(module, found)) : 0;
}


// yyclosedialogs is the dialog manager's (wdialog.cpp).

}  // namespace tsd

// Resources of the root window read through the kernel services: the
// module instance and the menu companion record. The kernel and
// window-service headers are kept apart: the menu bar and accelerators are
// in wmenubar.cpp, the fatal box in wfatal.cpp.
#include "toolkit/window/wresource.h"

#include "platform/kernel/kernel.h"
#include "platform/kernel/resources.h"

namespace tsd {

plat::HINSTANCE yymoduleinstance() { return plat::GetModuleHandleA(nullptr); }

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

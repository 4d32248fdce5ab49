// Resources and neighbouring services of the root window. The menu bar,
// accelerators and message boxes come from the menu and dialog services;
// until this build has them a root window opens without a menu, and the
// fatal box is written to the run's log and to standard error. (The kernel
// and window-service headers are kept apart: this file uses the kernel's.)
#include "toolkit/window/wresource.h"

#include <cstdio>
#include <string>

#include "platform/display/display.h"
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

void yyfatalbox(const char* text, const char* caption) {
  std::string line = std::string("message box: \"") + caption + "\" \"" + text + "\" icon error";
  plat::script_log(line);
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

// yyclosedialogs is the dialog manager's (wdialog.cpp).

}  // namespace tsd

// What the root window takes from the program's resources and from the
// services beside the window manager: the module instance, the menu bar,
// its accelerators and companion record, the fatal message box, and the
// dialog table that windowclose empties.
#pragma once

#include "platform/types.h"

namespace plat {
struct MSG;
}  // namespace plat

namespace tsd {

plat::HINSTANCE yymoduleinstance();
// Menu bar of resource id `id`; null when there is none.
plat::HMENU yyloadmenubar(int id);
// Accelerator table of resource id `id`; null when there is none.
plat::HACCEL yyloadaccelerators(int id);
// Free the root's menu bar and accelerators once its frame is destroyed.
void yyfreemenubar();
// Menu command keys of the current window's frame: true when the message
// was an accelerator (it is then dispatched as a command).
bool yytranslateaccelerator(plat::MSG* msg);
// Menu companion record (RCDATA with the menu's id): its bytes, or null and 0.
void yymenucompanion(int id, const void*& data, int& size);
// Message box without owner, error icon, OK button.
void yyfatalbox(const char* text, const char* caption);
// Destroy every loaded dialog and empty the dialog table.
void yyclosedialogs();

}  // namespace tsd

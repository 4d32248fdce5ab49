// Resources embedded in the program, and their compiled layout.
//
// Resource scripts (resources/*.rc) are compiled at build time by tools/rc
// into a C++ source that holds every resource as a byte array and registers
// the table with this module before main runs (cmake: tsd_add_resources).
// FindResourceA, LoadResource, LockResource and SizeofResource find them by
// type and by numeric id or name, as on Windows.
//
// ---- Compiled layout ---------------------------------------------------------
// Our own layout, not the Windows one. All numbers are little-endian and
// packed without padding. A "str" is a 16-bit length n followed by n bytes of
// code page 1250 text (no NUL). Texts in scripts are UTF-8 and are converted
// by the compiler.
//
// RT_MENU (4):
//   "MN", u16 version (1), list
//   list := u16 count, count * item
//   item := u16 flags, u16 id, str text, [list of the popup when MF_POPUP]
//   flags: MF_GRAYED 0x0001, MF_DISABLED 0x0002 (INACTIVE), MF_CHECKED 0x0008,
//   MF_POPUP 0x0010, MF_MENUBARBREAK 0x0020, MF_MENUBREAK 0x0040,
//   MF_SEPARATOR 0x0800, MF_HELP 0x4000. A popup has id 0; a separator has
//   id 0 and an empty text. Texts keep "&" mnemonics and "\t" as written.
//
// RT_DIALOG (5), from DIALOG and DIALOGEX alike:
//   "DL", u16 version (1),
//   u32 style, u32 exstyle, i16 x, i16 y, i16 cx, i16 cy (dialog units),
//   u32 help id, u16 font point size (0: no FONT), u16 font weight,
//   u8 italic, u8 charset, str font face, str caption, str menu, str class,
//   u16 control count, controls in script order:
//     u32 style, u32 exstyle, i16 x, i16 y, i16 cx, i16 cy, i32 id,
//     u32 help id, str class, str text
//   A menu or a control text given as a number n is stored as "#n". The
//   class is as written ("BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX",
//   "SCROLLBAR", "msctls_trackbar32", ...): compare it case-insensitively.
//   Styles are complete: the compiler has already added WS_CHILD|WS_VISIBLE
//   and the defaults of the short forms (LTEXT, EDITTEXT, ...).
//
// RT_ACCELERATOR (9):
//   "AC", u16 version (1), u16 count, count * {u8 flags, u8 0, u16 key, u16 id}
//   flags: FVIRTKEY 0x01, FNOINVERT 0x02, FSHIFT 0x04, FCONTROL 0x08, FALT 0x10.
//   key: a virtual-key code with FVIRTKEY, else a character code.
//
// RT_RCDATA (10): the bytes of the block: a quoted string gives its code
//   page 1250 bytes (no NUL unless written "\0"), a number one u16 word.
// RT_STRING (6): one resource per string, its id the string's id, its data
//   the string's code page 1250 bytes (no NUL). (Not the blocks of sixteen
//   that Windows uses; LoadStringA hides the difference.)
// RT_BITMAP (2), RT_ICON (3), RT_CURSOR (1): the named file's bytes as they
//   are: a whole .bmp file (with its "BM" file header), .ico or .cur file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/kernel/kernel.h"
#include "platform/types.h"

namespace plat {

// ---- Resource types and identifiers ------------------------------------------

inline LPCSTR MAKEINTRESOURCEA(unsigned id) {
  return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id & 0xffffu));
}
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }

inline constexpr WORD RT_CURSOR_ID = 1;
inline constexpr WORD RT_BITMAP_ID = 2;
inline constexpr WORD RT_ICON_ID = 3;
inline constexpr WORD RT_MENU_ID = 4;
inline constexpr WORD RT_DIALOG_ID = 5;
inline constexpr WORD RT_STRING_ID = 6;
inline constexpr WORD RT_ACCELERATOR_ID = 9;
inline constexpr WORD RT_RCDATA_ID = 10;

inline const LPCSTR RT_CURSOR = MAKEINTRESOURCEA(RT_CURSOR_ID);
inline const LPCSTR RT_BITMAP = MAKEINTRESOURCEA(RT_BITMAP_ID);
inline const LPCSTR RT_ICON = MAKEINTRESOURCEA(RT_ICON_ID);
inline const LPCSTR RT_MENU = MAKEINTRESOURCEA(RT_MENU_ID);
inline const LPCSTR RT_DIALOG = MAKEINTRESOURCEA(RT_DIALOG_ID);
inline const LPCSTR RT_STRING = MAKEINTRESOURCEA(RT_STRING_ID);
inline const LPCSTR RT_ACCELERATOR = MAKEINTRESOURCEA(RT_ACCELERATOR_ID);
inline const LPCSTR RT_RCDATA = MAKEINTRESOURCEA(RT_RCDATA_ID);

// Menu item flags (the layout above).
inline constexpr WORD MF_GRAYED = 0x0001;
inline constexpr WORD MF_DISABLED = 0x0002;
inline constexpr WORD MF_CHECKED = 0x0008;
inline constexpr WORD MF_POPUP = 0x0010;
inline constexpr WORD MF_MENUBARBREAK = 0x0020;
inline constexpr WORD MF_MENUBREAK = 0x0040;
inline constexpr WORD MF_SEPARATOR = 0x0800;
inline constexpr WORD MF_HELP = 0x4000;

// Accelerator flags.
inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FNOINVERT = 0x02;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;

// ---- Embedded resource table (written by the resource compiler) -------------

struct ResourceEntry {
  WORD type = 0;
  WORD id = 0;                  // numeric id, when name is null
  const char* name = nullptr;   // upper-case name of a named resource
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// A compiled script registers its table through one static object. Tables
// are searched in registration order; the first match wins.
struct ResourceRegistration {
  ResourceRegistration(const ResourceEntry* entries, std::size_t count);
};

// ---- Windows-style access ------------------------------------------------------

using HRSRC = const ResourceEntry*;
using HGLOBAL = const void*;

// name and type: MAKEINTRESOURCEA(id), "#id", or a name (case-insensitive).
// module: null or GetModuleHandleA(nullptr). Not found: null with
// ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The data stays valid for the whole run and must not be written.
const void* LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Copies the string with that id, cut to size - 1 characters, and a NUL;
// returns the number of characters copied, 0 when there is no such string.
int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);

// The bytes of a resource in one step; empty when it is not there.
std::span<const BYTE> resource_bytes(LPCSTR name, LPCSTR type);

// ---- Decoded forms ---------------------------------------------------------------

struct MenuItemTemplate {
  WORD flags = 0;
  WORD id = 0;
  std::string text;                      // code page 1250
  std::vector<MenuItemTemplate> items;   // a popup's items
  bool popup() const { return (flags & MF_POPUP) != 0; }
  bool separator() const { return (flags & MF_SEPARATOR) != 0; }
};

struct MenuTemplate {
  std::vector<MenuItemTemplate> items;   // the bar (or the popup) in order
};

struct DialogControlTemplate {
  DWORD style = 0;
  DWORD exstyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::int32_t id = 0;
  DWORD help_id = 0;
  std::string window_class;
  std::string text;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exstyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  DWORD help_id = 0;
  WORD font_size = 0;  // points; 0 when the script gave no FONT
  WORD font_weight = 0;
  bool font_italic = false;
  BYTE font_charset = 0;
  std::string font_face;
  std::string caption;
  std::string menu;
  std::string window_class;
  std::vector<DialogControlTemplate> controls;  // template order
};

struct AcceleratorTemplate {
  BYTE flags = 0;
  WORD key = 0;
  WORD id = 0;
};

// Each decoder checks the whole layout and gives nothing for bytes that do
// not follow it (wrong tag, truncated, trailing bytes, nesting too deep).
std::optional<MenuTemplate> decode_menu(std::span<const BYTE> bytes);
std::optional<DialogTemplate> decode_dialog(std::span<const BYTE> bytes);
std::optional<std::vector<AcceleratorTemplate>> decode_accelerators(std::span<const BYTE> bytes);
// RCDATA as little-endian 16-bit words; nothing for an odd byte count.
std::optional<std::vector<WORD>> decode_words(std::span<const BYTE> bytes);

// Encoders, used by the resource compiler (and by tests).
std::vector<BYTE> encode_menu(const MenuTemplate& menu);
std::vector<BYTE> encode_dialog(const DialogTemplate& dialog);
std::vector<BYTE> encode_accelerators(const std::vector<AcceleratorTemplate>& table);

// Popups nest at most this deep; the compiler refuses deeper menus.
inline constexpr int kMaxMenuDepth = 16;

}  // namespace plat

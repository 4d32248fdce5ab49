// Menus: menu bars and popups built in code or loaded from RT_MENU
// resources, their states, drawing in the frame, tracking with mouse and
// keyboard, floating popups, and accelerator tables. Names and behaviour
// follow the Windows interface; texts are code page 1250.
#pragma once

#include <string>
#include <vector>

#include "platform/kernel/resources.h"
#include "platform/user/user.h"

namespace plat {

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT WM_INITMENU = 0x0116;
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_MENUSELECT = 0x011F;
inline constexpr DWORD kMenuNotFound = 0xFFFFFFFFu;  // EnableMenuItem/CheckMenuItem: no such item



HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// MF_POPUP: id_or_popup is the popup's HMENU. MF_SEPARATOR, MF_GRAYED, MF_CHECKED as usual.
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id_or_popup, LPCSTR text);
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);
HMENU LoadMenuIndirectA(const MenuTemplate& t);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);  // -1 for a popup or no item
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
// By command (searching popups at any depth) or by position; the previous
// state (MF_GRAYED|MF_DISABLED, MF_CHECKED) or kMenuNotFound.
DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL DrawMenuBar(HWND hwnd);
// Editing (menu_edit.cpp). By command (any depth) or MF_BYPOSITION. Flags
// as for AppendMenuA. InsertMenuA puts the new item before the one named;
// a position past the end (or -1) appends. DeleteMenu destroys a popup the
// item opens, RemoveMenu leaves it alive. ModifyMenuA replaces the item's
// flags, id (or popup) and text.
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text);
// The window's system menu (Restore, Move, Size, Minimize, Maximize, Close
// with their SC_ command ids), made on first use; revert TRUE puts back the
// standard one and returns null.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
// A floating popup at screen point x, y; with TPM_RETURNCMD the chosen
// command is returned instead of sent as WM_COMMAND.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name);
HACCEL CreateAcceleratorTableA(const std::vector<AcceleratorTemplate>& entries);
BOOL DestroyAcceleratorTable(HACCEL table);
// A key message matching an entry becomes WM_COMMAND (HIWORD 1) to hwnd,
// unless the command is a greyed item of hwnd's menu.
int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg);

// ---- For the window manager's frame ---------------------------------------
// Draw the menu bar's items over its background (rect in the window DC).
void menu_bar_paint(HWND hwnd, HDC dc, RECT bar);
// How many rows the window's menu bar takes on a bar `width` pixels wide
// (1 when it fits in one, or there is no menu).
int menu_bar_rows(HWND hwnd, LONG width);
// A press on the bar (screen point) or the keyboard's Alt/F10 (key 0) or
// Alt+letter: runs the menu until a command is chosen or it is left.
void menu_bar_track_mouse(HWND hwnd, POINT screen_pt);
void menu_bar_track_keys(HWND hwnd, char key);
// A press on the system-menu box: the system menu below it; the choice
// arrives as WM_SYSCOMMAND.
void system_menu_track(HWND hwnd, POINT screen_pt);

// For the scripted user: the keyboard steps to a menu item of the window's
// bar, named by command id (id >= 0) or by a text path such as
// "&File/&Open..." ("&" and case ignored): for each level the number of
// items before it, separators not counted.
bool script_menu_steps(HWND top, int id, const std::string& path, std::vector<int>* steps);

}  // namespace plat

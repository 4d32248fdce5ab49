// Dialog boxes: templates in dialog units, modeless and modal dialogs,
// dialog procedures and their default handling, keyboard navigation, the
// item helpers, and message boxes. Names and behaviour follow the Windows
// interface; all text is code page 1250.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/kernel/resources.h"
#include "platform/user/controls/controls.h"

namespace plat {

using INT_PTR = std::intptr_t;
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Dialog styles.
inline constexpr DWORD DS_SETFONT = 0x40;
inline constexpr DWORD DS_MODALFRAME = 0x80;
inline constexpr DWORD DS_3DLOOK = 0x4;
inline constexpr DWORD DS_CENTER = 0x800;
inline constexpr DWORD DS_CONTROL = 0x400;

// Window extra bytes of a dialog.
inline constexpr int DWLP_MSGRESULT = 0;
inline constexpr int DWLP_DLGPROC = sizeof(LONG_PTR);
inline constexpr int DWLP_USER = 2 * sizeof(LONG_PTR);
inline constexpr int DLGWINDOWEXTRA = 4 * sizeof(LONG_PTR);

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// F1 in a dialog: WM_HELP to the dialog, lParam a HELPINFO.
inline constexpr UINT WM_HELP = 0x0053;
struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = 1;  // HELPINFO_WINDOW
  int iCtrlId = 0;       // the control that had the focus
  HWND hItemHandle = nullptr;
};

inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr WORD DC_HASDEFID = 0x534B;

// Dialog templates are the kernel's decoded form (platform/kernel/resources.h):
// rectangles in dialog units (x, y relative to the owner's client area
// unless DS_CENTER), caption, font (font_size 0: the dialog font) and
// controls in template order, which is the tab order and the order
// GW_CHILD and GW_HWNDNEXT report. The named forms below read the
// module's RT_DIALOG resources.
HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate* t, HWND owner, DLGPROC proc,
                                LPARAM param);
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
// Runs the dialog on a nested message loop with the owner disabled, until
// EndDialog; returns its result (-1 when it could not be made). A WM_QUIT
// taken meanwhile ends the loop and is posted again.
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate* t, HWND owner, DLGPROC proc,
                                LPARAM param);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
BOOL EndDialog(HWND dlg, INT_PTR result);
LRESULT DefDlgProcA(HWND dlg, UINT msg, WPARAM wparam, LPARAM lparam);

// Keyboard use of a dialog: Tab and Shift+Tab, arrows within a group,
// Enter for the default button, Escape as IDCANCEL, mnemonics. A message
// for the dialog or one of its controls is handled (dispatched) and TRUE
// returned; any other message is left alone.
BOOL IsDialogMessageA(HWND dlg, MSG* msg);
HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous);
HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous);

// Dialog units.
BOOL MapDialogRect(HWND dlg, RECT* r);
LONG GetDialogBaseUnits();  // of the dialog font: LOWORD horizontal, HIWORD vertical

// Item helpers.
LRESULT SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wparam, LPARAM lparam);
BOOL SetDlgItemTextA(HWND dlg, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dlg, int id, LPSTR buffer, int size);
BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL is_signed);
UINT GetDlgItemInt(HWND dlg, int id, BOOL* ok, BOOL is_signed);
BOOL CheckDlgButton(HWND dlg, int id, UINT state);
UINT IsDlgButtonChecked(HWND dlg, int id);
BOOL CheckRadioButton(HWND dlg, int first_id, int last_id, int check_id);

// ---- Message boxes -------------------------------------------------------
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_RETRYCANCEL = 0x5;
inline constexpr UINT MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0xF0;
inline constexpr UINT MB_DEFBUTTON1 = 0x000;
inline constexpr UINT MB_DEFBUTTON2 = 0x100;
inline constexpr UINT MB_DEFBUTTON3 = 0x200;
inline constexpr UINT MB_DEFMASK = 0xF00;
inline constexpr UINT MB_APPLMODAL = 0x0000;
inline constexpr UINT MB_SYSTEMMODAL = 0x1000;
inline constexpr UINT MB_TASKMODAL = 0x2000;
inline constexpr UINT MB_SETFOREGROUND = 0x10000;
inline constexpr UINT MB_TOPMOST = 0x40000;

// Shows a modal box with the text (lines broken at CR LF, a lone CR or LF),
// the icon and the buttons of `type`; returns the pressed button's id
// (0 when the box could not be shown). A null title gives "Error".
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR title, UINT type);

// For the scripted user: the centre of a control of top-level window `top`
// (by id, or by text when id < 0) relative to the window's top-left corner.
bool script_control_point(HWND top, int id, const std::string& text, POINT* frame_pt);

}  // namespace plat

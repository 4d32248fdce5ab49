// Common controls: the status bar ("msctls_statusbar32": parts, texts,
// the size grip), the progress bar ("msctls_progress32"), the trackbar
// ("msctls_trackbar32"), the up-down control ("MSCTLS_UPDOWN32"), the
// tab control ("SYSTABCONTROL32"), the toolbar ("ToolbarWindow32") and
// tooltips ("tooltips_class32"). Names and behaviour follow the Windows
// interface; texts are code page 1250.
#pragma once

#include "platform/user/controls/controls.h"

namespace plat {

inline constexpr char STATUSCLASSNAMEA[] = "msctls_statusbar32";
inline constexpr DWORD SBARS_SIZEGRIP = 0x0100;
inline constexpr DWORD CCS_TOP = 0x0001;
inline constexpr DWORD CCS_BOTTOM = 0x0003;
inline constexpr UINT SB_SETTEXTA = WM_USER + 1;
inline constexpr UINT SB_GETTEXTA = WM_USER + 2;
inline constexpr UINT SB_GETTEXTLENGTHA = WM_USER + 3;
inline constexpr UINT SB_SETPARTS = WM_USER + 4;
inline constexpr UINT SB_GETPARTS = WM_USER + 6;
inline constexpr UINT SB_GETRECT = WM_USER + 10;
inline constexpr UINT SB_SIMPLE = WM_USER + 9;
inline constexpr WPARAM SBT_NOBORDERS = 0x0100;
inline constexpr WPARAM SBT_POPOUT = 0x0200;
inline constexpr int kMaxStatusParts = 256;

inline constexpr char PROGRESS_CLASSA[] = "msctls_progress32";
inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;

// ---- Notifications through WM_NOTIFY ------------------------------------
inline constexpr UINT WM_NOTIFY = 0x004E;
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// ---- Trackbar ------------------------------------------------------------
inline constexpr char TRACKBAR_CLASSA[] = "msctls_trackbar32";
inline constexpr DWORD TBS_AUTOTICKS = 0x0001;
inline constexpr DWORD TBS_VERT = 0x0002;
inline constexpr DWORD TBS_HORZ = 0x0000;
inline constexpr DWORD TBS_NOTICKS = 0x0010;
inline constexpr DWORD TBS_ENABLESELRANGE = 0x0020;
inline constexpr UINT TBM_GETPOS = WM_USER;
inline constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
inline constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
inline constexpr UINT TBM_SETPOS = WM_USER + 5;
inline constexpr UINT TBM_SETRANGE = WM_USER + 6;
inline constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
inline constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
inline constexpr UINT TBM_SETSEL = WM_USER + 10;
inline constexpr UINT TBM_SETSELSTART = WM_USER + 11;
inline constexpr UINT TBM_SETSELEND = WM_USER + 12;
inline constexpr UINT TBM_GETSELSTART = WM_USER + 17;
inline constexpr UINT TBM_GETSELEND = WM_USER + 18;
inline constexpr UINT TBM_CLEARSEL = WM_USER + 19;
inline constexpr UINT TBM_SETTICFREQ = WM_USER + 20;
inline constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
inline constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
inline constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
inline constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
// Notification codes in the low word of WM_HSCROLL / WM_VSCROLL.
inline constexpr int TB_LINEUP = 0;
inline constexpr int TB_LINEDOWN = 1;
inline constexpr int TB_PAGEUP = 2;
inline constexpr int TB_PAGEDOWN = 3;
inline constexpr int TB_THUMBPOSITION = 4;
inline constexpr int TB_THUMBTRACK = 5;
inline constexpr int TB_TOP = 6;
inline constexpr int TB_BOTTOM = 7;
inline constexpr int TB_ENDTRACK = 8;

// ---- Up-down -------------------------------------------------------------
inline constexpr char UPDOWN_CLASSA[] = "msctls_updown32";
inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_ALIGNLEFT = 0x0008;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;
inline constexpr DWORD UDS_HORZ = 0x0040;
inline constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
inline constexpr UINT UDM_SETRANGE = WM_USER + 101;
inline constexpr UINT UDM_GETRANGE = WM_USER + 102;
inline constexpr UINT UDM_SETPOS = WM_USER + 103;
inline constexpr UINT UDM_GETPOS = WM_USER + 104;
inline constexpr UINT UDM_SETBUDDY = WM_USER + 105;
inline constexpr UINT UDM_GETBUDDY = WM_USER + 106;
inline constexpr UINT UDM_SETACCEL = WM_USER + 107;
inline constexpr UINT UDM_GETACCEL = WM_USER + 108;
inline constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
inline constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
inline constexpr UINT UDM_SETPOS32 = WM_USER + 113;
inline constexpr UINT UDM_GETPOS32 = WM_USER + 114;
inline constexpr UINT UDN_DELTAPOS = 0u - 722u;
struct UDACCEL {
  UINT nSec = 0;
  UINT nInc = 1;
};
struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;
  int iDelta = 0;
};
inline constexpr int kMaxUpDownAccels = 8;

// ---- Tab control ---------------------------------------------------------
inline constexpr char WC_TABCONTROLA[] = "SysTabControl32";
inline constexpr UINT TCM_FIRST = 0x1300;
inline constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
inline constexpr UINT TCM_GETITEMA = TCM_FIRST + 5;
inline constexpr UINT TCM_SETITEMA = TCM_FIRST + 6;
inline constexpr UINT TCM_INSERTITEMA = TCM_FIRST + 7;
inline constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
inline constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
inline constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
inline constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
inline constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
inline constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
inline constexpr UINT TCIF_TEXT = 0x0001;
inline constexpr UINT TCIF_PARAM = 0x0008;
inline constexpr UINT TCN_KEYDOWN = 0u - 550u;
inline constexpr UINT TCN_SELCHANGE = 0u - 551u;
inline constexpr UINT TCN_SELCHANGING = 0u - 552u;
struct TCITEMA {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};
inline constexpr int kMaxTabs = 256;
inline constexpr int kMaxTabText = 255;


using DWORD_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;

// ---- Toolbar -------------------------------------------------------------
// Buttons with images from bitmap strips, separators, check buttons; a
// click sends WM_COMMAND (the button's command id, BN_CLICKED) with the
// toolbar as lParam to the parent. With TBSTYLE_TOOLTIPS it makes a
// tooltip whose texts it asks of its parent with TTN_GETDISPINFOA.
inline constexpr char TOOLBARCLASSNAMEA[] = "ToolbarWindow32";
inline constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
inline constexpr DWORD TBSTYLE_FLAT = 0x0800;
inline constexpr BYTE TBSTATE_CHECKED = 0x01;
inline constexpr BYTE TBSTATE_PRESSED = 0x02;
inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTATE_HIDDEN = 0x08;
inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_CHECK = 0x02;
inline constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;
inline constexpr UINT TB_CHECKBUTTON = WM_USER + 2;
inline constexpr UINT TB_PRESSBUTTON = WM_USER + 3;
inline constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;
inline constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;
inline constexpr UINT TB_SETSTATE = WM_USER + 17;
inline constexpr UINT TB_GETSTATE = WM_USER + 18;
inline constexpr UINT TB_ADDBITMAP = WM_USER + 19;
inline constexpr UINT TB_ADDBUTTONSA = WM_USER + 20;
inline constexpr UINT TB_DELETEBUTTON = WM_USER + 22;
inline constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
inline constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;
inline constexpr UINT TB_GETITEMRECT = WM_USER + 29;
inline constexpr UINT TB_BUTTONSTRUCTSIZE = WM_USER + 30;
inline constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31;
inline constexpr UINT TB_SETBITMAPSIZE = WM_USER + 32;
inline constexpr UINT TB_AUTOSIZE = WM_USER + 33;
inline constexpr UINT TB_GETTOOLTIPS = WM_USER + 35;
inline constexpr int kMaxToolbarButtons = 256;
inline constexpr int kToolbarSeparator = 8;  // width of a separator gap
struct TBBUTTON {
  int iBitmap = 0;
  int idCommand = 0;
  BYTE fsState = TBSTATE_ENABLED;
  BYTE fsStyle = TBSTYLE_BUTTON;
  DWORD_PTR dwData = 0;
  INT_PTR iString = 0;
};
// hInst null: nID is an HBITMAP; else the bitmap resource nID of hInst.
struct TBADDBITMAP {
  HINSTANCE hInst = nullptr;
  UINT_PTR nID = 0;
};

// ---- Tooltips ------------------------------------------------------------
// A small topmost window with a text, shown when the pointer has rested
// over a tool for a moment (the owner relays its mouse messages with
// TTM_RELAYEVENT) and hidden when it leaves or a button is pressed.
inline constexpr char TOOLTIPS_CLASSA[] = "tooltips_class32";
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
inline constexpr UINT TTM_DELTOOLA = WM_USER + 5;
inline constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_GETTEXTA = WM_USER + 11;
inline constexpr UINT TTM_UPDATETIPTEXTA = WM_USER + 12;
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTN_GETDISPINFOA = 0u - 520u;
inline constexpr UINT TTN_SHOW = 0u - 521u;
inline constexpr UINT TTN_POP = 0u - 522u;
inline const LPSTR LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1));
inline constexpr UINT kTooltipDelayMs = 500;
inline constexpr int kMaxTooltipText = 1024;
struct TOOLINFOA {
  UINT cbSize = sizeof(TOOLINFOA);
  UINT uFlags = 0;
  HWND hwnd = nullptr;    // the window of the tool; rect is in its client coordinates
  UINT_PTR uId = 0;
  RECT rect;
  HINSTANCE hinst = nullptr;
  LPSTR lpszText = nullptr;  // the text, or LPSTR_TEXTCALLBACKA: asked with TTN_GETDISPINFOA
  LPARAM lParam = 0;
};
// TTN_GETDISPINFOA: the receiver puts the text in szText, or points
// lpszText at its own text (or, with hinst, names a string resource by id).
struct NMTTDISPINFOA {
  NMHDR hdr;  // hwndFrom: the tooltip; idFrom: the tool's id
  LPSTR lpszText = nullptr;
  char szText[80] = {};
  HINSTANCE hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};

struct INITCOMMONCONTROLSEX {
  DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
  DWORD dwICC = 0;
};

void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id);

// Registers the common control classes (once).
void register_common_control_classes();
void register_progress_class();
void register_trackbar_class();
void register_updown_class();
void register_tab_class();
void register_toolbar_class();
// For the scripted user: the centre of the toolbar button with that command
// id in a toolbar of the top-level window `top`, relative to its top-left
// corner (false when there is none).
bool script_toolbar_point(HWND top, int command, POINT* frame_pt);
void register_tooltip_class();

}  // namespace plat

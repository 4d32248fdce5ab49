// Common controls: the status bar ("msctls_statusbar32": parts, texts,
// the size grip) and the progress bar ("msctls_progress32"). Names and behaviour follow the Windows
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

}  // namespace plat

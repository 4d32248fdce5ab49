// Window classes and window procedures of the toolkit's frame, client and
// child frame windows: they turn window-system messages into the typed
// messages of the message loop.
#pragma once

#include "platform/user/user.h"

namespace tsd {

inline constexpr const char* kFrameClass = "QUORBATELIX";
inline constexpr const char* kClientClass = "QUORCLIENT";
inline constexpr const char* kChildClass = "QUORCHILD";
inline constexpr const char* kStatusClass = "msctls_statusbar32";
// Status bar style: a size grip at its right end.
inline constexpr plat::DWORD kStatusSizeGrip = 0x0100;

plat::LRESULT yyframeproc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam);
plat::LRESULT yyclientproc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam);

}  // namespace tsd

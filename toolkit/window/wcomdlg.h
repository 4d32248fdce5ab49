// Message boxes (and, with the platform's file dialogs, file selection):
// the box runs modal over the program's windows, whose pictures are kept
// meanwhile, and its outcome is left for winfodialog item 4.
#pragma once

#include <string_view>

namespace tsd {

// Button sets.
inline constexpr int kBoxOk = 0;
inline constexpr int kBoxOkCancel = 1;
inline constexpr int kBoxRetryCancel = 2;
inline constexpr int kBoxYesNo = 3;
inline constexpr int kBoxYesNoCancel = 4;
inline constexpr int kBoxAbortRetryIgnore = 5;
// Icons.
inline constexpr int kIconStop = 1;
inline constexpr int kIconQuestion = 2;
inline constexpr int kIconExclamation = 3;
inline constexpr int kIconInformation = 4;

// Shows a box; the result (winfodialog 4) is 1 for OK, Retry or Yes, 0 for
// Cancel or Ignore, 2 for Abort or No, -1 when the box failed (error 1004).
void wmessagebox(int buttons, int icon, int defaultbutton, std::string_view message, std::string_view title);

// The window system's box type for the arguments (buttons, icon, default).
unsigned yymessageboxtype(int buttons, int icon, int defaultbutton);
// The result for a pressed button id.
int yymessageboxresult(int pressed);

}  // namespace tsd

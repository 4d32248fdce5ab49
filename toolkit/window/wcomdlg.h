// Message boxes and file selection: the box or file dialog runs modal over
// the program's windows, whose pictures are kept meanwhile, and its
// outcome is left for winfodialog item 4.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

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

// Flag bits of wselectfile2.
inline constexpr int kFileSave = 1;          // save dialog (else open)
inline constexpr int kFilePrompt = 2;        // open: ask to create a missing file; save: ask before overwriting
inline constexpr int kFileAnyDirectory = 4;  // the directory need not exist
inline constexpr int kFileKeepDirectory = 8; // keep the directory the user went to
inline constexpr int kFileMultiple = 16;     // multiple selection (open dialog only)
inline constexpr int kFileDefaultExt = 32;   // append the selected filter's extension when none is typed

// The extended code (errstate.extra, infoerror 3) of a chosen path longer
// than the file name argument of wselectfile2.
inline constexpr int kFileChoiceTooLong = 0x3003;

// Lets the user choose a file. filter: pairs of description and patterns,
// each followed by the separator, which is the last character of the
// trimmed text (blank: no filter). filename: in, the initial path (all of
// it); out, the chosen path (blank-padded), unchanged on cancel. A chosen
// path longer than filename is not cut: filename stays, the result is 0
// and error 1004 is recorded with the extended code kFileChoiceTooLong.
// title blank gives "Select File". filterindex: in, the 1-based filter
// shown first; out, the one chosen. Result (winfodialog 4): 1 confirmed,
// 0 cancelled or failed (error 1004 with the extended code).
void wselectfile2(std::string_view filter, int flags, std::span<char> filename, std::string_view title,
                  int& filterindex);
void wselectfile2(std::string_view filter, int flags, std::span<char> filename, std::string_view title);

// Folder selection modes.
inline constexpr int kFolderMustExist = 0;  // a typed folder that does not exist is refused
inline constexpr int kFolderMayCreate = 1;  // the user is asked whether to create it

// Lets the user choose a folder with the dialog template 32101 (folder
// field 1001, list box 1002 of folders). mode: kFolderMustExist or
// kFolderMayCreate. flags: kFileKeepDirectory keeps the current directory
// at the chosen folder (else it is put back). title blank: the template's
// caption. folder: in, the initial folder (blank: the current one); out,
// the chosen folder (cut to its length, blank-padded), unchanged on
// cancel. result (and winfodialog 4): 1 confirmed, 0 cancelled or failed
// (error 1004 with the extended code).
void yyselectdir(int mode, int& result, int flags, std::string_view title, std::span<char> folder);

// The filter text as the window system takes it: description/pattern
// pairs, each ended by NUL, the whole ended by a second NUL; empty for a
// blank filter.
std::string yyfilterpairs(std::string_view filter);

// What every file or folder dialog runs in: its owner (the active
// modeless dialog, else the current window), the windows disabled
// meanwhile with their images kept, and the current directory, put back
// afterwards unless kFileKeepDirectory.
struct CommonDialogRun {
  plat::HWND owner = nullptr;
  std::vector<plat::HWND> disabled;
  std::vector<char> directory;
};
CommonDialogRun yybegincommondialog();
// After a dialog that was not confirmed: error 1004 with the extended
// code when the window system reports one.
void yycommondialogfailed();
// Everything enabled and drawn again, the outcome left for winfodialog 4.
void yyendcommondialog(CommonDialogRun& run, int flags, int result);

// The window system's box type for the arguments (buttons, icon, default).
unsigned yymessageboxtype(int buttons, int icon, int defaultbutton);
// The result for a pressed button id.
int yymessageboxresult(int pressed);

}  // namespace tsd

// Common dialogs: the open and save file dialogs and the folder selection,
// built from our own controls, and CommDlgExtendedError. Names and behaviour follow the
// Windows interface; paths are host paths in code page 1250.
#pragma once

#include "platform/user/dialog/dialog.h"

namespace plat {

inline constexpr DWORD OFN_READONLY = 0x1;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
inline constexpr DWORD OFN_HIDEREADONLY = 0x4;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x8;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
inline constexpr DWORD OFN_CREATEPROMPT = 0x2000;
inline constexpr DWORD OFN_NOREADONLYRETURN = 0x8000;
inline constexpr DWORD OFN_EXPLORER = 0x80000;

inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
inline constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;

// Control ids of the file dialog (the usual ones).
inline constexpr int kFileNameEdit = 0x480;   // edt1
inline constexpr int kFileList = 0x460;       // lst1
inline constexpr int kFolderList = 0x461;     // lst2
inline constexpr int kFilterCombo = 0x470;    // cmb1
inline constexpr int kFolderLabel = 0x440;    // stc1

struct OPENFILENAMEA {
  DWORD lStructSize = sizeof(OPENFILENAMEA);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  LPCSTR lpstrFilter = nullptr;  // pairs "description\0patterns\0", ended by "\0"
  LPSTR lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;  // 1-based; 0: the first
  LPSTR lpstrFile = nullptr;  // in: initial name; out: the chosen path
  DWORD nMaxFile = 0;
  LPSTR lpstrFileTitle = nullptr;
  DWORD nMaxFileTitle = 0;
  LPCSTR lpstrInitialDir = nullptr;
  LPCSTR lpstrTitle = nullptr;  // null or empty: "Select File"
  DWORD Flags = 0;
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  LPCSTR lpstrDefExt = nullptr;  // non-null: add an extension when none is typed ("" : the filter's)
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
};

// ---- Folder selection ------------------------------------------------------
// A dialog from a template (the caller's resource, or a built-in one) with
// the folder field, the list of the folders in the folder shown (".." goes
// up; a double click or Enter in the list opens one), the folder shown as a
// label and, when the template has it, a box of starting places. OK takes
// the typed folder (relative to the one shown), or the one shown when
// nothing is typed. A typed folder that does not exist is given to
// lpfnMissing, which accepts it (TRUE, having created it) or keeps the
// dialog open (FALSE); without lpfnMissing it is refused.
inline constexpr int kFolderField = 1001;
inline constexpr int kFolderBox = 1002;
inline constexpr int kFolderShown = 1003;
inline constexpr int kFolderPlaces = 1004;
inline constexpr DWORD FDF_NOCHANGEDIR = 0x8;  // the current directory is left as it was
using FOLDERMISSINGPROC = BOOL (*)(HWND dialog, LPCSTR path, LPARAM data);
struct FOLDERDIALOGA {
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  LPCSTR lpTemplateName = nullptr;  // RT_DIALOG of hInstance; null: the built-in one
  LPCSTR lpstrTitle = nullptr;      // null or empty: the template's caption
  LPCSTR lpstrInitialDir = nullptr; // null or empty (or no folder): the current one
  LPSTR lpstrFolder = nullptr;      // out: the chosen folder, NUL-ended
  DWORD nMaxFolder = 0;
  DWORD Flags = 0;
  FOLDERMISSINGPROC lpfnMissing = nullptr;
  LPARAM lCustData = 0;
};
// TRUE when a folder was chosen; FALSE when cancelled (extended error 0)
// or on failure (CDERR_INITIALIZATION, FNERR_BUFFERTOOSMALL).
BOOL SelectFolderA(FOLDERDIALOGA* fd);

// TRUE when the user chose a file (or files); FALSE when cancelled (the
// extended error is then 0) or on failure (the extended error says why).
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);
DWORD CommDlgExtendedError();

}  // namespace plat

// yyselectdir: folder selection with the toolkit's dialog template 32101,
// run like the file dialogs; a typed folder that does not exist is
// created when the user agrees and the mode allows it.
#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"
#include "toolkit/window/oswin.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wstate.h"

namespace tsd {

namespace {

constexpr int kFolderTemplate = 32101;
constexpr int kMaxDirectory = 4096;

plat::BOOL missingfolder(plat::HWND dialog, plat::LPCSTR path, plat::LPARAM mode) {
  using namespace plat;
  if (mode != kFolderMayCreate) {
    MessageBoxA(dialog, "The specified directory does not exist.\nSpecify a valid directory.", "Invalid Directory",
                MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  if (MessageBoxA(dialog, "The specified directory does not exist.\nDo you wish to create it?", "Create Directory?",
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return FALSE;
  int status = 0;
  xxdirm(path, status);
  if (status != 0) {
    MessageBoxA(dialog, "An error occured creating\nthe specified directory.", "Error", MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void yyselectdir(int mode, int& result, int flags, std::string_view title, std::span<char> folder) {
  using namespace plat;
  const std::string initial(trimmed(std::string_view(folder.data(), folder.size())));
  const std::string caption(trimmed(title));
  std::vector<char> chosen(kMaxDirectory, '\0');

  FOLDERDIALOGA fd;
  fd.hInstance = wsys.wInstance ? wsys.wInstance : reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
  fd.lpTemplateName = MAKEINTRESOURCEA(kFolderTemplate);
  fd.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  fd.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
  fd.lpstrFolder = chosen.data();
  fd.nMaxFolder = static_cast<DWORD>(chosen.size());
  fd.lpfnMissing = missingfolder;
  fd.lCustData = mode;

  CommonDialogRun run = yybegincommondialog();
  fd.hwndOwner = run.owner;
  result = 0;
  if (SelectFolderA(&fd)) {
    result = 1;
    assign(folder, std::string_view(chosen.data()));
  } else {
    yycommondialogfailed();
  }
  yyendcommondialog(run, flags, result);
}

}  // namespace tsd

// wselectfile2: the window system's open and save dialogs with the
// toolkit's filter text, flags, initial path and title, run like every
// modal loop of the toolkit; the current directory is put back unless the
// program asks to keep the one the user went to.
#include "toolkit/window/wcomdlg.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/oswin.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wimages.h"

namespace tsd {

namespace {

constexpr std::size_t kMaxFilter = 255;
constexpr int kMaxDirectory = 1024;
// Room for the directory and the names of a multiple selection.
constexpr std::size_t kMultiBuffer = 65536;

static_assert(kFileChoiceTooLong == static_cast<int>(plat::FNERR_BUFFERTOOSMALL));

}  // namespace

std::string yyfilterpairs(std::string_view filter) {
  std::string f(trimmed(filter));
  if (f.size() > kMaxFilter) f = std::string(trimmed(f.substr(0, kMaxFilter)));
  if (f.empty()) return std::string();
  const char separator = f.back();
  std::replace(f.begin(), f.end(), separator, '\0');
  f.push_back('\0');
  return f;
}

void wselectfile2(std::string_view filter, int flags, std::span<char> filename, std::string_view title,
                  int& filterindex) {
  using namespace plat;
  const bool save = (flags & kFileSave) != 0;
  const bool multiple = !save && (flags & kFileMultiple) != 0;
  const std::string pairs = yyfilterpairs(filter);
  // Initial directory and name from the whole file name argument: a
  // directory cut short would open some other folder.
  std::string path(filename.data(), filename.size());
  std::string name(filename.size(), ' ');
  yysplitp(path, name);
  const std::string directory(trimmed(path));
  const std::string initialname(trimmed(name));

  // A single choice longer than the argument does not fit the buffer: the
  // dialog then reports it (FNERR_BUFFERTOOSMALL) instead of it being cut.
  const std::size_t size = multiple ? std::max(kMultiBuffer, filename.size() + 1) : filename.size() + 1;
  std::vector<char> buffer(size, '\0');
  std::copy(initialname.begin(), initialname.end(), buffer.begin());
  const std::string caption(trimmed(title));

  OPENFILENAMEA ofn;
  ofn.lpstrFilter = pairs.empty() ? nullptr : pairs.c_str();
  ofn.nFilterIndex = pairs.empty() ? 0 : static_cast<DWORD>(filterindex > 0 ? filterindex : 1);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  ofn.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  ofn.Flags = OFN_HIDEREADONLY;
  if (!(flags & kFileAnyDirectory)) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (!save && (flags & kFilePrompt)) ofn.Flags |= OFN_CREATEPROMPT;
  if (multiple) ofn.Flags |= OFN_ALLOWMULTISELECT | OFN_EXPLORER;
  if (save && (flags & kFilePrompt)) ofn.Flags |= OFN_OVERWRITEPROMPT;
  int major = 0, minor = 0;
  xxmwinver(major, minor);
  if ((flags & kFileDefaultExt) && major != 3) ofn.lpstrDefExt = "";

  CommonDialogRun run = yybegincommondialog();
  ofn.hwndOwner = run.owner;
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  int result = 0;
  if (chosen) {
    result = 1;
    if (!pairs.empty()) filterindex = static_cast<int>(ofn.nFilterIndex);
    std::size_t n = 0;
    if (multiple) {
      // The directory and the names, each ended by a NUL, up to the double NUL.
      while (n + 1 < buffer.size() && !(buffer[n] == '\0' && buffer[n + 1] == '\0')) ++n;
      if (n + 1 < buffer.size()) ++n;
      n = std::min(n + 1, buffer.size());
    } else {
      n = std::string_view(buffer.data(), buffer.size()).find('\0');
      if (n == std::string_view::npos) n = buffer.size();
    }
    assign(filename, std::string_view(buffer.data(), n));
  } else {
    yycommondialogfailed();
  }
  yyendcommondialog(run, flags, result);
}

CommonDialogRun yybegincommondialog() {
  CommonDialogRun run;
  run.directory.assign(kMaxDirectory, '\0');
  int status = 0;
  xxdirn(run.directory.data(), status, kMaxDirectory);
  run.owner = yycurrentowner();
  run.disabled = yydisableothers(run.owner);
  yysaveimages(nullptr);
  return run;
}

void yycommondialogfailed() {
  const plat::DWORD code = plat::CommDlgExtendedError();
  if (code == 0) return;
  xxerror(kErrCommonDialog);
  errstate.extra = static_cast<std::int32_t>(code);
}

void yyendcommondialog(CommonDialogRun& run, int flags, int result) {
  int status = 0;
  if (!(flags & kFileKeepDirectory) && !run.directory.empty() && run.directory[0] != '\0')
    xxdirc(run.directory.data(), status);
  yyenableagain(run.disabled);
  yyfocusowner(run.owner);
  yyrestoreimages();
  quorba04.lastresult = result;
  quorba04.focusfield = 0;
}

void wselectfile2(std::string_view filter, int flags, std::span<char> filename, std::string_view title) {
  int index = 1;
  wselectfile2(filter, flags, filename, title, index);
}

}  // namespace tsd

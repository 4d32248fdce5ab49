// wmessagebox: the button set, icon and default button mapped to the
// window system's message box, run like every modal loop of the toolkit.
#include <string>

#include "platform/comdlg/comdlg.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wimages.h"

namespace tsd {

unsigned yymessageboxtype(int buttons, int icon, int defaultbutton) {
  using namespace plat;
  UINT type = MB_OK;
  int count = 1;
  switch (buttons) {
    case kBoxOkCancel: type = MB_OKCANCEL; count = 2; break;
    case kBoxRetryCancel: type = MB_RETRYCANCEL; count = 2; break;
    case kBoxYesNo: type = MB_YESNO; count = 2; break;
    case kBoxYesNoCancel: type = MB_YESNOCANCEL; count = 3; break;
    case kBoxAbortRetryIgnore: type = MB_ABORTRETRYIGNORE; count = 3; break;
    default: break;
  }
  switch (icon) {
    case kIconStop: type |= MB_ICONHAND; break;
    case kIconQuestion: type |= MB_ICONQUESTION; break;
    case kIconExclamation: type |= MB_ICONEXCLAMATION; break;
    case kIconInformation: type |= MB_ICONASTERISK; break;
    default: break;
  }
  if (count == 2) type |= defaultbutton == 1 ? MB_DEFBUTTON1 : MB_DEFBUTTON2;
  if (count == 3) type |= defaultbutton == 1 ? MB_DEFBUTTON1 : defaultbutton == 2 ? MB_DEFBUTTON2 : MB_DEFBUTTON3;
  return type;
}

int yymessageboxresult(int pressed) {
  using namespace plat;
  switch (pressed) {
    case IDOK: case IDRETRY: case IDYES: return 1;
    case IDCANCEL: case IDIGNORE: return 0;
    case IDABORT: case IDNO: return 2;
    default: return -1;
  }
}

void wmessagebox(int buttons, int icon, int defaultbutton, std::string_view message, std::string_view title) {
  const plat::UINT type = yymessageboxtype(buttons, icon, defaultbutton);
  const std::string text(trimmed(message));
  const std::string caption(trimmed(title));
  yysaveimages(nullptr);
  plat::HWND owner = yycurrentowner();
  std::vector<plat::HWND> disabled = yydisableothers(owner);
  const int pressed = plat::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
  yyenableagain(disabled);
  yyfocusowner(owner);
  yyrestoreimages();
  // The box's own result tells whether it failed.
  int result = yymessageboxresult(pressed);
  if (result == -1) {
    xxerror(kErrCommonDialog);
    errstate.extra = static_cast<std::int32_t>(plat::CommDlgExtendedError());
  }
  quorba04.lastresult = result;
  quorba04.focusfield = 0;
}

}  // namespace tsd

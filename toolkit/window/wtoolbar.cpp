// The toolbar of the root window and its tooltip table. The toolbar
// window is of the toolkit's class "ToolbarWin", the window system's
// toolbar under the toolkit's own name; its clicks reach the program as
// menu commands.
#include "toolkit/window/wtoolbar.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/kernel/resources.h"
#include "platform/user/menu/menu.h"
#include "toolkit/window/wstate.h"

namespace tsd {

namespace {

constexpr char kToolbarClass[] = "ToolbarWin";
constexpr int kToolbarId = 998;
constexpr int kButtonPadding = 6;
constexpr int kMaxButtons = plat::kMaxToolbarButtons;

// The toolbar record: button width and height, then the command id of
// each button (0 = a separator), ended by two 0 words.
struct ToolbarRecord {
  int width = 0;
  int height = 0;
  std::vector<int> commands;
};

bool readrecord(int id, ToolbarRecord& rec) {
  using namespace plat;
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(static_cast<unsigned>(id)), RT_RCDATA);
  if (!found) return false;
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  const int words = bytes ? static_cast<int>(SizeofResource(module, found) / 2) : 0;
  auto word = [&](int i) { return static_cast<int>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
  if (words < 2) return false;
  rec.width = word(0);
  rec.height = word(1);
  if (rec.width <= 0 || rec.height <= 0) return false;
  for (int i = 2; i < words; ++i) {
    const int command = word(i);
    if (command == 0 && i + 1 < words && word(i + 1) == 0) return true;
    if (static_cast<int>(rec.commands.size()) >= kMaxButtons) return false;
    rec.commands.push_back(command);
  }
  // No end mark: the record is cut short.
  return false;
}

plat::WNDPROC& toolbarbase() {
  static plat::WNDPROC proc = nullptr;
  return proc;
}

plat::LRESULT toolbarproc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wparam, plat::LPARAM lparam) {
  return toolbarbase()(hwnd, msg, wparam, lparam);
}

// "ToolbarWin": the window system's toolbar class under the toolkit's name.
bool registerclass() {
  using namespace plat;
  WNDCLASSA known;
  if (GetClassInfoA(wsys.wInstance, kToolbarClass, &known)) return true;
  InitCommonControls();
  WNDCLASSA base;
  if (!GetClassInfoA(nullptr, TOOLBARCLASSNAMEA, &base)) return false;
  toolbarbase() = base.lpfnWndProc;
  base.lpfnWndProc = toolbarproc;
  base.hInstance = wsys.wInstance;
  base.lpszClassName = kToolbarClass;
  return RegisterClassA(&base) != 0;
}

void sizeof_window(plat::HWND hwnd, int& w, int& h) {
  w = 0;
  h = 0;
  if (!hwnd) return;
  plat::RECT r;
  plat::GetWindowRect(hwnd, &r);
  w = r.right - r.left;
  h = r.bottom - r.top;
}

// The button's state from the root menu's entry of the same command.
plat::BYTE statefrommenu(int command) {
  using namespace plat;
  const UINT state = wsys.wRootMenu ? GetMenuState(wsys.wRootMenu, static_cast<UINT>(command), MF_BYCOMMAND)
                                    : static_cast<UINT>(-1);
  if (state == static_cast<UINT>(-1)) return 0;
  BYTE b = (state & (MF_GRAYED | MF_DISABLED)) ? 0 : TBSTATE_ENABLED;
  if (state & MF_CHECKED) b = static_cast<BYTE>(b | TBSTATE_CHECKED);
  return b;
}

plat::HWND createtoolbar(int id, plat::HWND frame) {
  using namespace plat;
  ToolbarRecord rec;
  if (!readrecord(id, rec) || !registerclass()) return nullptr;
  HWND bar = CreateWindowExA(0, kToolbarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS, 0, 0,
                             0, 0, frame, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kToolbarId)),
                             wsys.wInstance, nullptr);
  if (!bar) return nullptr;
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(rec.width, rec.height));
  SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(rec.width + kButtonPadding, rec.height + kButtonPadding));
  const int images = static_cast<int>(std::count_if(rec.commands.begin(), rec.commands.end(), [](int c) { return c != 0; }));
  int first = 0;
  if (images > 0) {
    TBADDBITMAP strip;
    strip.hInst = wsys.wInstance;
    strip.nID = static_cast<UINT_PTR>(id);
    // Without the bitmap the buttons are there, blank.
    first = static_cast<int>(SendMessageA(bar, TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&strip)));
    if (first < 0) first = 0;
  }
  std::vector<TBBUTTON> buttons;
  int image = first;
  for (int command : rec.commands) {
    TBBUTTON b;
    if (command == 0) {
      b.fsStyle = TBSTYLE_SEP;
      b.fsState = 0;
    } else {
      b.iBitmap = image++;
      b.idCommand = command;
      b.fsState = statefrommenu(command);
    }
    buttons.push_back(b);
  }
  SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

void cleartooltips() {
  for (TooltipEntry& e : wsys.wTooltips) e = TooltipEntry{};
}

bool hasbutton(int id) {
  return wsys.wToolbar && id > 0 &&
         plat::SendMessageA(wsys.wToolbar, plat::TB_COMMANDTOINDEX, static_cast<plat::WPARAM>(id), 0) >= 0;
}

void relayout() {
  using namespace plat;
  HWND frame = wsys.slots[0].wWindow;
  if (!frame) return;
  RECT fc;
  GetClientRect(frame, &fc);
  SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(fc.right, fc.bottom));
}

}  // namespace

int yymntbar(int id, int& width, int& height) {
  width = -1;
  height = -1;
  plat::HWND frame = wsys.slots[0].wWindow;
  if (!frame) return -1;
  int oldw = 0, oldh = 0;
  if (wsys.wToolbar) {
    sizeof_window(wsys.wToolbar, oldw, oldh);
    plat::HWND old = wsys.wToolbar;
    wsys.wToolbar = nullptr;
    plat::DestroyWindow(old);
    cleartooltips();
  }
  int result = 0;
  if (id != 0) {
    wsys.wToolbar = createtoolbar(id, frame);
    if (!wsys.wToolbar) result = -1;
  }
  relayout();
  if (result != 0) return result;
  int neww = 0, newh = 0;
  sizeof_window(wsys.wToolbar, neww, newh);
  if (neww != oldw) width = neww - oldw;
  if (newh != oldh) height = newh - oldh;
  return 0;
}

int yytooltip(int id, std::string_view text, int length) {
  if (!hasbutton(id)) return -1;
  TooltipEntry* entry = nullptr;
  for (TooltipEntry& e : wsys.wTooltips)
    if (e.id == id) entry = &e;
  if (length == 1) {
    if (entry) *entry = TooltipEntry{};
    return 0;
  }
  if (!entry)
    for (TooltipEntry& e : wsys.wTooltips)
      if (e.id == 0) {
        entry = &e;
        break;
      }
  if (!entry) return -2;
  std::size_t n = std::min<std::size_t>({text.size(), static_cast<std::size_t>(std::max(length, 0)),
                                         static_cast<std::size_t>(kTooltipLength)});
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0')) --n;
  *entry = TooltipEntry{};
  entry->id = id;
  std::memcpy(entry->text, text.data(), n);
  entry->text[n] = '\0';
  return 0;
}

bool yytoolbarstate(int id, int type, int& state) {
  if (!hasbutton(id)) return false;
  const plat::LRESULT s = plat::SendMessageA(wsys.wToolbar, plat::TB_GETSTATE, static_cast<plat::WPARAM>(id), 0);
  if (s < 0) return false;
  state = (s & (type == 1 ? plat::TBSTATE_ENABLED : plat::TBSTATE_CHECKED)) ? 1 : 0;
  return true;
}

bool yytoolbarsetstate(int id, int type, int state) {
  if (!hasbutton(id)) return false;
  const plat::UINT msg = type == 1 ? plat::TB_ENABLEBUTTON : plat::TB_CHECKBUTTON;
  return plat::SendMessageA(wsys.wToolbar, msg, static_cast<plat::WPARAM>(id), plat::MAKELPARAM(state ? 1 : 0, 0)) != 0;
}

int yytoolbarlayout(plat::HWND frame) {
  if (!wsys.wToolbar || frame != wsys.slots[0].wWindow) return 0;
  plat::SendMessageA(wsys.wToolbar, plat::TB_AUTOSIZE, 0, 0);
  int w = 0, h = 0;
  sizeof_window(wsys.wToolbar, w, h);
  return h;
}

bool yytoolbarcommand(plat::LPARAM from) {
  return wsys.wToolbar && from == reinterpret_cast<plat::LPARAM>(wsys.wToolbar);
}

bool yytooltipnotify(plat::LPARAM nmhdr) {
  using namespace plat;
  auto* hdr = reinterpret_cast<NMHDR*>(nmhdr);
  if (!hdr || hdr->code != TTN_GETDISPINFOA || !wsys.wToolbar) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(nmhdr);
  const int id = static_cast<int>(hdr->idFrom);
  for (TooltipEntry& e : wsys.wTooltips)
    if (e.id == id && id != 0) {
      info->lpszText = e.text;
      return true;
    }
  // No stored text: the string resource with the button's id.
  const int n = LoadStringA(wsys.wInstance, static_cast<UINT>(id), info->szText, static_cast<int>(sizeof info->szText));
  info->szText[std::max(0, std::min(n, static_cast<int>(sizeof info->szText) - 1))] = '\0';
  info->lpszText = info->szText;
  return true;
}

void yytoolbarreset() {
  wsys.wToolbar = nullptr;
  cleartooltips();
}

}  // namespace tsd

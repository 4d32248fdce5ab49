// Menus: the bar loaded from a resource, commands chosen by the scripted
// user through the keyboard, greyed items giving no command, states set by
// command or by position, accelerators, a floating popup.
#include "platform/tests/dlg_test_support.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_png.h"
#include "platform/user/menu/menu.h"
#include "resources/test/test_ids.h"
#include "text/cp1250.h"
#include "tools/testkit/surface_pixels.h"

namespace plat::testing {
namespace {

std::vector<int>& commands() {
  static std::vector<int> v;
  return v;
}

// The characters that reached the frame.
std::vector<int>& chars() {
  static std::vector<int> v;
  return v;
}

LRESULT frame_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) commands().push_back(LOWORD(w));
  if (m == WM_CHAR) chars().push_back(static_cast<int>(w));
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, w, l);
}

class MenuTest : public DialogTest {
 protected:
  HWND frame() {
    commands().clear();
    chars().clear();
    WNDCLASSA wc;
    wc.lpfnWndProc = frame_proc;
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "MenuFrame";
    RegisterClassA(&wc);
    HMENU menu = LoadMenuA(nullptr, MAKEINTRESOURCEA(IDM_MAIN));
    EXPECT_NE(menu, nullptr);
    HWND w = CreateWindowExA(0, "MenuFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 400, 300, nullptr,
                             menu, nullptr, nullptr);
    return w;
  }
  void loop() {
    MSG m;
    int guard = 0;
    while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
};

TEST_F(MenuTest, ChosenCommandsArriveAndGreyedItemsGiveNone) {
  std::string shot = unique_temp("menu.png");
  use_script(
      "menu 40001\n"
      "menu 40002\n"                // greyed: Enter does nothing, the menu stays open
      "screenshot \"" + shot + "\"\n"
      "key Escape Escape\n"
      "menu \"&Plik/Koniec\"\n"
      "menu \"&Widok/Siatka\"\n"    // inside a greyed popup: it does not open
      "key Escape Escape Escape\n");
  HWND w = frame();
  ASSERT_NE(w, nullptr);
  loop();
  EXPECT_EQ(commands(), (std::vector<int>{CM_OPEN, CM_EXIT})) << "CM_SAVE is greyed";
  // The picture of the open popup: the greyed item is highlighted, its
  // text still grey, under the item above it.
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(shot, &s)) << shot;
  const std::uint32_t hot = tsd::testkit::syscolour(COLOR_HIGHLIGHT);
  const RECT caption = tsd::testkit::topband(s, tsd::testkit::syscolour(COLOR_ACTIVECAPTION), 200);
  ASSERT_GT(caption.bottom, caption.top) << "the frame's caption";
  const RECT item = tsd::testkit::boundsof(s, hot, RECT{caption.left, caption.bottom, caption.right, s.height});
  EXPECT_GE(item.bottom - item.top, 12) << tsd::testkit::describe(item);
  EXPECT_LE(item.bottom - item.top, 24) << "one item: " << tsd::testkit::describe(item);
  EXPECT_GE(item.right - item.left, 80);
  EXPECT_GE(tsd::testkit::countcolour(s, tsd::testkit::syscolour(COLOR_GRAYTEXT), item), 10) << "greyed text";
  EXPECT_EQ(tsd::testkit::countcolour(s, tsd::testkit::syscolour(COLOR_HIGHLIGHTTEXT), item), 0);
  EXPECT_GT(tsd::testkit::countother(s, tsd::testkit::syscolour(COLOR_MENU),
                                     RECT{item.left, item.top - (item.bottom - item.top), item.right, item.top}),
            10)
      << "the first item above it";
  std::string l = log();
  EXPECT_NE(l.find("menu command: 40001"), std::string::npos) << l;
  EXPECT_EQ(l.find("menu command: 40002"), std::string::npos) << l;
}

TEST_F(MenuTest, StatesByCommandOrPositionReportNotFound) {
  use_script("");
  HMENU m = LoadMenuA(nullptr, MAKEINTRESOURCEA(IDM_MAIN));
  ASSERT_NE(m, nullptr);
  HMENU file = GetSubMenu(m, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 4);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(CM_OPEN));
  // Previous states come back; an item that does not exist gives -1.
  EXPECT_EQ(EnableMenuItem(m, CM_SAVE, MF_BYCOMMAND | MF_ENABLED), static_cast<DWORD>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(m, CM_SAVE, MF_BYCOMMAND | MF_GRAYED), 0u);
  EXPECT_EQ(EnableMenuItem(m, 1, MF_BYPOSITION | MF_ENABLED), static_cast<DWORD>(MF_GRAYED)) << "the Widok popup";
  EXPECT_EQ(EnableMenuItem(m, 7, MF_BYPOSITION | MF_ENABLED), kMenuNotFound);
  EXPECT_EQ(EnableMenuItem(m, 49999, MF_BYCOMMAND | MF_GRAYED), kMenuNotFound);
  EXPECT_EQ(CheckMenuItem(m, CM_DEEP, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED)) << "at depth 3";
  EXPECT_EQ(GetMenuState(m, CM_DEEP, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(CheckMenuItem(m, 49999, MF_BYCOMMAND | MF_CHECKED), kMenuNotFound);
  char buf[64];
  EXPECT_GT(GetMenuStringA(m, 0, buf, sizeof buf, MF_BYPOSITION), 0);
  EXPECT_STREQ(buf, "&Plik");
  EXPECT_TRUE(DestroyMenu(m));
  EXPECT_FALSE(IsMenu(m));
}

TEST_F(MenuTest, AcceleratorsGiveCommandsExceptForGreyedItems) {
  use_script("key Ctrl+o\nkey Alt+F4\n");
  HWND w = frame();
  HACCEL acc = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(IDA_MAIN));
  ASSERT_NE(acc, nullptr);
  MSG m;
  int guard = 0;
  while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
    if (TranslateAcceleratorA(w, acc, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  // "^O" is Ctrl+O as a character; VK_F4 with Alt is CM_EXIT.
  EXPECT_EQ(commands(), (std::vector<int>{CM_OPEN, CM_EXIT}));
  DestroyAcceleratorTable(acc);
}

TEST_F(MenuTest, DialogSystemMenuGreysWhatDoesNotApplyAndCloses) {
  use_script("key Alt+Space\nkey c\n");
  DialogTemplate t = test_dialog();
  struct P {
    static INT_PTR proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
      if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      return msg == WM_INITDIALOG;
    }
  };
  HWND owner = main_window();
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, P::proc, 0), IDCANCEL) << "Close from the system menu is Cancel";
  std::string l = log();
  EXPECT_NE(l.find("menu command: " + std::to_string(SC_CLOSE)), std::string::npos) << l;
}

TEST_F(MenuTest, SystemMenuStates) {
  use_script("");
  HWND w = frame();
  HMENU sys = GetSystemMenu(w, FALSE);
  ASSERT_NE(sys, nullptr);
  EXPECT_EQ(GetSystemMenu(w, FALSE), sys) << "one per window";
  EXPECT_EQ(EnableMenuItem(sys, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED), 0u);
  EXPECT_EQ(GetMenuState(sys, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetSystemMenu(w, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(sys)) << "reverting frees the changed one";
  DestroyWindow(w);
}

TEST_F(MenuTest, FloatingPopupReturnsTheCommand) {
  use_script("key Down Down\nkey Enter\n");
  HWND w = frame();
  HMENU pop = CreatePopupMenu();
  AppendMenuA(pop, MF_STRING, 7001, "&Kopiuj");
  AppendMenuA(pop, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(pop, MF_STRING, 7002, "&Wklej");
  EXPECT_EQ(TrackPopupMenu(pop, TPM_RETURNCMD, 100, 100, 0, w, nullptr), 7002) << "the separator is skipped";
  DestroyMenu(pop);
  DestroyWindow(w);
}

// Enter or Escape that closes a menu is the menu's: its character reaches
// nobody, whether the menu came from the bar or floats.
TEST_F(MenuTest, TheKeyThatClosesAMenuTypesNothing) {
  struct Case {
    const char* script;
    bool floating;
    std::vector<int> commands;
  };
  const Case cases[] = {
      {"key Alt+p\nkey Escape Escape\nidle\n", false, {}},
      {"key Alt+p\nkey Enter\nidle\n", false, {CM_OPEN}},
      {"key Escape\nidle\n", true, {}},
      {"key Down\nkey Enter\nidle\n", true, {7001}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    use_script(c.script);
    HWND w = frame();
    ASSERT_NE(w, nullptr);
    if (c.floating) {
      HMENU pop = CreatePopupMenu();
      AppendMenuA(pop, MF_STRING, 7001, "&Kopiuj");
      TrackPopupMenu(pop, 0, 100, 100, 0, w, nullptr);
      DestroyMenu(pop);
    }
    loop();
    EXPECT_EQ(commands(), c.commands);
    EXPECT_EQ(chars(), std::vector<int>{}) << "no character of the key that closed the menu";
  }
}

// Alt pressed and released alone asks for the menu bar; Alt released
// after another key (an Alt+letter no item has) does not.
TEST_F(MenuTest, OnlyAltAloneOpensTheMenuBar) {
  struct Case {
    const char* script;
    std::vector<int> commands;
    std::vector<int> chars;
  };
  const Case cases[] = {
      {"key Alt\nkey Enter Enter\nidle\n", {CM_OPEN}, {}},
      {"key Alt+x\nkey Enter Enter\nidle\n", {}, {13, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    use_script(c.script);
    ASSERT_NE(frame(), nullptr);
    loop();
    EXPECT_EQ(commands(), c.commands);
    EXPECT_EQ(chars(), c.chars);
  }
}

// What the frame showed when it was closed, and how often its background
// was erased after the program drew into it.
struct Kept {
  static inline COLORREF at_close = CLR_INVALID;
  static inline int erases = 0;
  static LRESULT proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_ERASEBKGND) ++erases;
    if (m == WM_CLOSE) {
      HDC dc = GetDC(h);
      at_close = GetPixel(dc, 100, 100);
      ReleaseDC(h, dc);
    }
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(h, m, w, l);
  }
};

// The host exposes the frame while its menu is open and after it closed:
// the frame shows what the program drew, which the program could not draw
// again while the menu ran.
TEST_F(MenuTest, AnExposeWhileAMenuIsOpenKeepsWhatTheProgramDrew) {
  use_script(
      "key Alt+p\n"
      "expose in \"Kept\"\n"
      "idle\n"
      "key Escape Escape\n"
      "expose in \"Kept\"\n"
      "idle\n"
      "close in \"Kept\"\n");
  WNDCLASSA wc;
  wc.lpfnWndProc = Kept::proc;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "KeptFrame";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "KeptFrame", "Kept", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 400, 300, nullptr,
                           LoadMenuA(nullptr, MAKEINTRESOURCEA(IDM_MAIN)), nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  UpdateWindow(w);
  HDC dc = GetDC(w);
  RECT area{0, 0, 200, 150};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &area, red);
  DeleteObject(red);
  ReleaseDC(w, dc);
  Kept::erases = 0;
  loop();
  EXPECT_EQ(Kept::at_close, RGB(255, 0, 0)) << "the drawing survived both exposes";
  EXPECT_EQ(Kept::erases, 0) << "an expose erases nothing";
}

}  // namespace
}  // namespace plat::testing

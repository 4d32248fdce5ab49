// What a person at a desktop expects of windows: the pointer's shape says
// what a press there does, a double click on a caption maximises and
// restores, the window menu's Move and Size work from the keyboard, a menu
// bar too wide for its window wraps, and a window minimised and restored
// while its menu bar is selected shows what it showed.
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "platform/gdi/gdi.h"
#include "platform/user/menu/menu.h"

namespace plat::testing {
namespace {

class DesktopHabits : public DialogTest {
 protected:
  // A sizable frame titled "Frame" with `menu`, at 100,100, 400 x 300.
  HWND frame(HMENU menu = nullptr, int width = 400) {
    frame_commands().clear();
    WNDCLASSA wc;
    wc.lpfnWndProc = command_frame_proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "HabitFrame";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "HabitFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, width, 300, nullptr, menu,
                           nullptr, nullptr);
  }
  void loop() {
    MSG m;
    int guard = 0;
    while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  // The pointer moved to a screen point, and the shape it took.
  int shape_at(POINT screen) {
    InputEvent e;
    e.kind = InputKind::mouse_move;
    e.pos = screen;  // no window: the position is on the screen
    host(e);
    drain();
    return SystemCursorId(GetCursor());
  }
};

TEST_F(DesktopHabits, ThePointerShowsWhatAPressThereDoes) {
  use_script("");
  HWND w = frame();
  ASSERT_NE(w, nullptr);
  HWND field = CreateWindowExA(0, "EDIT", "1.5", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, w, nullptr, nullptr,
                               nullptr);
  HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, w, nullptr, nullptr, nullptr);
  drain();
  RECT r;
  GetWindowRect(w, &r);
  POINT field_pt{20, 20}, button_pt{20, 50};
  ClientToScreen(w, &field_pt);
  ClientToScreen(w, &button_pt);
  const struct {
    const char* where;
    POINT at;
    int shape;
  } cases[] = {
      {"left border", {r.left + 1, (r.top + r.bottom) / 2}, 32644},        // IDC_SIZEWE
      {"right border", {r.right - 2, (r.top + r.bottom) / 2}, 32644},
      {"bottom border", {(r.left + r.right) / 2, r.bottom - 2}, 32645},    // IDC_SIZENS
      {"top-left corner", {r.left + 1, r.top + 1}, 32642},                 // IDC_SIZENWSE
      {"bottom-left corner", {r.left + 1, r.bottom - 2}, 32643},           // IDC_SIZENESW
      {"an edit field", field_pt, 32513},                                  // IDC_IBEAM
      {"a button", button_pt, 32512},                                      // IDC_ARROW
      {"the caption", {(r.left + r.right) / 2, r.top + 10}, 32512},
      {"the edit field again", field_pt, 32513},
  };
  for (const auto& c : cases) EXPECT_EQ(shape_at(c.at), c.shape) << c.where;
  (void)button;
  (void)field;
}

TEST_F(DesktopHabits, ADoubleClickOnTheCaptionMaximisesAndRestores) {
  use_script(
      "doubleclick 150 -10 in \"Frame\"\n"
      "idle\n"
      "doubleclick 150 -10 in \"Frame\"\n"
      "idle\n");
  HWND w = frame();
  ASSERT_NE(w, nullptr);
  MSG m;
  bool zoomed_once = false;
  int guard = 0;
  while (IsWindow(w) && GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    zoomed_once = zoomed_once || (IsWindow(w) && IsZoomed(w));
    if (zoomed_once && IsWindow(w) && !IsZoomed(w)) break;
  }
  EXPECT_TRUE(zoomed_once) << "the first double click maximised the window";
  ASSERT_TRUE(IsWindow(w));
  EXPECT_FALSE(IsZoomed(w)) << "the second restored it";
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right - r.left, 400);
}

// Alt+Space opens the window menu; Down reaches Move, twice Down Size.
TEST_F(DesktopHabits, TheWindowMenusMoveAndSizeWorkWithTheArrows) {
  const struct {
    const char* what;
    const char* script;
    RECT want;  // left, top, right, bottom after the run
  } cases[] = {
      {"Move, two right and one down", "key Alt+Space\nkey Down Enter\nkey Right Right Down Enter\n", {116, 108, 516, 408}},
      {"Size, the right border and the bottom", "key Alt+Space\nkey Down Down Enter\nkey Right Right Down Enter\n",
       {100, 100, 516, 408}},
      {"Size, the left border moved in", "key Alt+Space\nkey Down Down Enter\nkey Left Right Right Enter\n",
       {108, 100, 500, 400}},
      {"Move, then Escape puts it back", "key Alt+Space\nkey Down Enter\nkey Left Left Up Escape\n",
       {100, 100, 500, 400}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    use_script(std::string(c.script) + "idle\n");
    HWND w = frame();
    ASSERT_NE(w, nullptr);
    RECT got{};
    MSG m;
    int guard = 0;
    while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
      if (m.message == WM_CLOSE && m.hwnd == w) GetWindowRect(w, &got);
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    EXPECT_EQ(got.left, c.want.left);
    EXPECT_EQ(got.top, c.want.top);
    EXPECT_EQ(got.right, c.want.right);
    EXPECT_EQ(got.bottom, c.want.bottom);
    restart();
  }
}

// Twelve items do not fit in one row 300 pixels wide: the bar takes two
// rows, the client area starts below both, and an item of the second row
// is chosen with the mouse.
TEST_F(DesktopHabits, AMenuBarTooWideForItsWindowWraps) {
  use_script("click 10 -9 in \"Frame\"\nidle\nclose in \"Frame\"\n");
  HMENU bar = CreateMenu();
  for (int i = 0; i < 12; ++i)
    AppendMenuA(bar, MF_STRING, static_cast<UINT_PTR>(100 + i), ("Pozycja " + std::to_string(i)).c_str());
  HWND w = frame(bar, 300);
  ASSERT_NE(w, nullptr);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  RECT r;
  GetWindowRect(w, &r);
  const int top = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  EXPECT_GE(origin.y - r.top, top + 2 * GetSystemMetrics(SM_CYMENU)) << "the client is below two rows of the bar";
  loop();
  ASSERT_EQ(frame_commands().size(), 1u);
  EXPECT_GT(frame_commands()[0], 100) << "the click on the second row chose an item of it, not the first item";
}

// The program draws only when its own loop runs, never inside the menu:
// minimised and restored while the menu bar is selected, the frame shows
// what it showed before.
LRESULT sampling_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_INITMENU) {
    // The user minimises and restores the window on the host meanwhile.
    InputEvent e;
    e.window = h;
    e.kind = InputKind::host_minimise;
    desktop().input.push_back(e);
    e.kind = InputKind::host_restore;
    desktop().input.push_back(e);
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, w, l);
}

TEST_F(DesktopHabits, RestoredWhileItsMenuBarIsSelectedAWindowShowsItsPicture) {
  const std::string shot = unique_temp("restored.png");
  use_script("key Alt\nidle\nidle\nscreenshot \"" + shot + "\"\nkey Escape\nclose in \"Kept\"\n");
  WNDCLASSA wc;
  wc.lpfnWndProc = sampling_proc;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "KeptPicture";
  RegisterClassA(&wc);
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_STRING, 100, "&Plik");
  HWND w = CreateWindowExA(0, "KeptPicture", "Kept", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 400, 300, nullptr, bar,
                           nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  UpdateWindow(w);
  HDC dc = GetDC(w);
  RECT area{0, 0, 200, 150};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &area, red);
  DeleteObject(red);
  ReleaseDC(w, dc);
  POINT p{100, 100};
  ClientToScreen(w, &p);
  loop();
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(shot, &s)) << shot;
  ASSERT_LT(p.y, s.height);
  EXPECT_EQ(s.row(p.y)[p.x], 0xff0000u) << "the picture is there while the menu bar is still selected";
}

}  // namespace
}  // namespace plat::testing

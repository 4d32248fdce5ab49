// The mouse wheel scrolls what is under the pointer, whatever has the
// keyboard: a list of forty files and a table of 381 rows in a read-only
// multi-line field, three rows a notch; over a control that does not
// scroll, the window it lies in is asked.
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

LRESULT quit_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, w, l);
}

class Wheel : public DialogTest {
 protected:
  HWND frame() {
    WNDCLASSA wc;
    wc.lpfnWndProc = quit_proc;
    wc.hbrBackground = SysColorAsBrush(COLOR_BTNFACE);
    wc.lpszClassName = "WheelFrame";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "WheelFrame", "Wheel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 600, 400, nullptr,
                             nullptr, nullptr, nullptr);
    list_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 10, 150,
                            120, w, nullptr, nullptr, nullptr);
    for (int i = 0; i < 40; ++i)
      SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("plik" + std::to_string(100 + i) + ".dat").c_str()));
    std::string rows;
    for (int i = 0; i < 381; ++i) rows += std::to_string(300 + i) + "\t1.0E-12\r\n";
    table_ = CreateWindowExA(0, "EDIT", rows.c_str(),
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 200, 10, 200,
                             200, w, nullptr, nullptr, nullptr);
    field_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 300, 100, 20, w, nullptr, nullptr,
                             nullptr);
    SetFocus(field_);  // the keyboard is elsewhere
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
  HWND list_ = nullptr, table_ = nullptr, field_ = nullptr;
};

TEST_F(Wheel, ScrollsTheListAndTheTableUnderThePointer) {
  // Client points: the list at 10,10 150 x 120, the table at 200,10 200 x 200.
  use_script(
      "wheel down 3 60 60 in \"Wheel\"\n"
      "wheel down 100 60 60 in \"Wheel\"\n"  // past the end: the last page
      "wheel up 2 60 60 in \"Wheel\"\n"
      "wheel down 5 250 100 in \"Wheel\"\n"
      "wheel up 1 250 100 in \"Wheel\"\n"
      "wheel down 4 20 250 in \"Wheel\"\n"   // over the frame's own client: nothing scrolls
      "idle\n");
  HWND w = frame();
  ASSERT_NE(w, nullptr);
  struct Seen {
    int list_top = -1, table_top = -1;
  };
  std::vector<Seen> after;  // after each wheel turn
  MSG m;
  int guard = 0;
  while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (m.message == WM_MOUSEWHEEL)
      after.push_back(Seen{static_cast<int>(SendMessageA(list_, LB_GETTOPINDEX, 0, 0)),
                           static_cast<int>(SendMessageA(table_, EM_GETFIRSTVISIBLELINE, 0, 0))});
  }
  ASSERT_EQ(after.size(), 6u) << log();
  EXPECT_EQ(after[0].list_top, 9) << "three notches, three rows each";
  const int last_page = after[1].list_top;
  EXPECT_GT(last_page, 9);
  EXPECT_LT(last_page, 40) << "the last page is shown, not past it";
  EXPECT_EQ(after[2].list_top, last_page - 6);
  EXPECT_EQ(after[2].table_top, 0) << "the table stayed while the list scrolled";
  EXPECT_EQ(after[3].table_top, 15);
  EXPECT_EQ(after[4].table_top, 12);
  EXPECT_EQ(after[5].list_top, last_page - 6);
  EXPECT_EQ(after[5].table_top, 12);
}

}  // namespace
}  // namespace plat::testing

// A dropped combo-box list stays in front: a sibling that repaints where
// the list lies does not draw over it, and shows again once it closes.
#include "platform/gdi/gdi.h"
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

class ComboDropped : public DialogTest {};

TEST_F(ComboDropped, ASiblingRepaintingBelowDoesNotCoverTheList) {
  use_script("");
  HWND main = main_window();
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 150,
                               140, main, reinterpret_cast<HMENU>(7), nullptr, nullptr);
  for (const char* s : {"pierwszy", "drugi", "trzeci", "czwarty", "piaty", "szosty"})
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  // Made after the combo box, so it is in front of it in the stack.
  HWND label = CreateWindowExA(0, "STATIC", "Etykieta", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 50, 150, 30, main,
                               reinterpret_cast<HMENU>(8), nullptr, nullptr);
  drain();
  HDC dc = GetDC(main);
  const POINT probe{140, 70};  // inside the label, right of its text, inside the dropped list
  const COLORREF face = GetPixel(dc, probe.x, probe.y);
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  drain();
  const COLORREF list = GetPixel(dc, probe.x, probe.y);
  EXPECT_NE(list, face) << "the dropped list covers the label";
  SetWindowTextA(label, "Inny tekst");
  drain();
  EXPECT_EQ(GetPixel(dc, probe.x, probe.y), list) << "the label repainted, the list is drawn again over it";
  InvalidateRect(label, nullptr, TRUE);
  UpdateWindow(label);
  drain();
  EXPECT_EQ(GetPixel(dc, probe.x, probe.y), list);
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  drain();
  EXPECT_EQ(GetPixel(dc, probe.x, probe.y), face) << "closed, the label shows again";
  ReleaseDC(main, dc);
  DestroyWindow(main);
}

}  // namespace
}  // namespace plat::testing

// A popup opened from the keyboard over a pointer that rests where the
// popup opens: the host reports the pointer again as the popup appears
// under it (on X, as it enters the new window), which is no move and
// chooses nothing; a pointer that does move chooses the item under it.
#include "platform/tests/dlg_test_support.h"
#include "platform/user/menu/menu.h"
#include "resources/test/test_ids.h"

namespace plat::testing {
namespace {

class MenuPointer : public DialogTest {
 protected:
  void run(const std::string& script) {
    use_script(script);
    frame_commands().clear();
    WNDCLASSA wc;
    wc.lpfnWndProc = command_frame_proc;
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "PointerFrame";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "PointerFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 400, 300, nullptr,
                             LoadMenuA(nullptr, MAKEINTRESOURCEA(IDM_MAIN)), nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    MSG m;
    int guard = 0;
    while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
};

// "&Plik" opens below the bar, over the top of the client area; its last
// item, "Koniec", lies about 60 pixels down the client area.
TEST_F(MenuPointer, ARestingPointerChoosesNothingAMovedOneChoosesItsItem) {
  struct Case {
    const char* what;
    const char* second_move;  // after the popup opened
    std::vector<int> commands;
  };
  const Case cases[] = {
      {"the pointer rests", "move 20 60 in \"Frame\"\n", {CM_OPEN}},
      {"the pointer moves on the last item", "move 21 60 in \"Frame\"\n", {CM_EXIT}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    run(std::string("move 20 60 in \"Frame\"\nkey Alt+p\n") + c.second_move + "key Enter\nidle\n");
    EXPECT_EQ(frame_commands(), c.commands) << log();
  }
}

}  // namespace
}  // namespace plat::testing

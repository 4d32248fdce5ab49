// Selection in the list boxes as a user makes it with the mouse and the
// keyboard: an extended-selection list selects one entry with a plain click,
// toggles with Ctrl+click, and extends from the anchor with Shift+click and
// Shift+arrows; a multiple-selection list toggles with every click.
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

bool closed = false;

// The frame stays when the used-up script asks it to close, so the list
// can be read afterwards.
LRESULT frame_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CLOSE) {
    closed = true;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class ListBoxSelection : public DialogTest {
 protected:
  static constexpr int kX = 10, kY = 10;
  // A frame with a list of six entries, made after the script is set.
  HWND make(DWORD kind) {
    WNDCLASSA wc;
    wc.lpfnWndProc = frame_proc;
    wc.hbrBackground = SysColorAsBrush(COLOR_BTNFACE);
    wc.lpszClassName = "SelectionFrame";
    RegisterClassA(&wc);
    frame_ = CreateWindowExA(0, "SelectionFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 260, nullptr,
                             nullptr, nullptr, nullptr);
    list_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | kind, kX, kY, 150,
                            180, frame_, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kListId)), nullptr,
                            nullptr);
    // A font of its own, so the rows can be measured with it.
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (const char* s : {"e0", "e1", "e2", "e3", "e4", "e5"})
      SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    drain();
    return list_;
  }
  // The frame's client point in the middle of entry i (the list has a
  // one-pixel border; rows are as high as its font's lines).
  std::string at(int i) const {
    const int height = list_row_height(list_);
    const int row = height > 0 ? height : 13;
    return std::to_string(kX + 20) + " " + std::to_string(kY + 1 + row * i + row / 2) + " in \"Frame\"";
  }
  // Plays the script to its end.
  void play() {
    closed = false;
    MSG m;
    for (int i = 0; i < 5000 && !closed && GetMessageA(&m, nullptr, 0, 0); ++i) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  std::vector<int> selected() const {
    std::vector<int> v;
    for (int i = 0; i < 6; ++i)
      if (SendMessageA(list_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) v.push_back(i);
    return v;
  }
  HWND frame_ = nullptr, list_ = nullptr;
};

TEST_F(ListBoxSelection, ExtendedListsSelectAsOnAnyDesktop) {
  struct Case {
    const char* what;
    std::vector<std::string> script;  // "@N" is the middle of entry N
    std::vector<int> expected;
    int caret;
  };
  const Case cases[] = {
      {"a plain click selects one", {"click @1"}, {1}, 1},
      {"a second plain click selects only the new one", {"click @1", "click @3"}, {3}, 3},
      {"ctrl+click adds", {"click @1", "click ctrl @3"}, {1, 3}, 3},
      {"ctrl+click takes away", {"click @1", "click ctrl @3", "click ctrl @1"}, {3}, 1},
      {"shift+click selects the run from the anchor", {"click @1", "click shift @4"}, {1, 2, 3, 4}, 4},
      {"shift+click upwards, run replaces", {"click @4", "click shift @2", "click shift @5"}, {4, 5}, 5},
      {"ctrl+shift+click adds a run", {"click @0", "click ctrl @3", "click shift ctrl @5"}, {0, 3, 4, 5}, 5},
      {"shift+arrows extend", {"click @1", "key Shift+Down Shift+Down"}, {1, 2, 3}, 3},
      {"shift+up from the anchor", {"click @4", "key Shift+Up"}, {3, 4}, 3},
      {"a plain arrow selects the entry it moves to", {"click @1", "click ctrl @4", "key Down"}, {5}, 5},
      {"ctrl+arrows move only the caret; ctrl+space toggles", {"click @0", "key Ctrl+Down Ctrl+Down Ctrl+Space"},
       {0, 2}, 2},
      {"home then shift+end", {"click @2", "key Home Shift+End"}, {0, 1, 2, 3, 4, 5}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The script names points, so the list is made first with a blank
    // script to measure its rows, then again with the real one.
    use_script("");
    restart();
    make(LBS_EXTENDEDSEL);
    std::string script;
    for (const std::string& line : c.script) {
      const std::size_t mark = line.find('@');
      script += (mark == std::string::npos ? line : line.substr(0, mark) + at(std::stoi(line.substr(mark + 1)))) + "\n";
    }
    DestroyWindow(frame_);
    use_script(script);
    restart();
    make(LBS_EXTENDEDSEL);
    play();
    ASSERT_TRUE(closed) << "the script ran to its end";
    EXPECT_EQ(selected(), c.expected) << script;
    EXPECT_EQ(SendMessageA(list_, LB_GETCARETINDEX, 0, 0), c.caret);
    EXPECT_EQ(SendMessageA(list_, LB_GETSELCOUNT, 0, 0), static_cast<LRESULT>(c.expected.size()));
    DestroyWindow(frame_);
  }
}

TEST_F(ListBoxSelection, MultipleSelectionListsToggleWithEveryClick) {
  use_script("");
  restart();
  make(LBS_MULTIPLESEL);
  const std::string script = "click " + at(1) + "\nclick " + at(3) + "\nclick " + at(4) + "\nclick " + at(1) + "\n";
  DestroyWindow(frame_);
  use_script(script);
  restart();
  make(LBS_MULTIPLESEL);
  play();
  ASSERT_TRUE(closed);
  EXPECT_EQ(selected(), (std::vector<int>{3, 4}));
  DestroyWindow(frame_);
}

}  // namespace
}  // namespace plat::testing

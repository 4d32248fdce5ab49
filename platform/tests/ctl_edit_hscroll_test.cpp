// Multi-line edits with a horizontal bar: the caret brings a long line's
// end into view, the bar's arrows and track move the text, and Home goes
// back; the text is reached with the mouse where it was scrolled to.
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/picture_output.h"

namespace plat::testing {
namespace {

constexpr int kEdit = 5;
const std::string kShort = "Kr\xf3tki\r\n";  // 8 characters before the long line
const std::string kLong = [] {
  std::string s;
  for (int i = 0; i < 15; ++i) s += "0123456789";
  return s;
}();

class EditHScroll : public DialogTest {
 protected:
  HWND make(HWND main) {
    HWND e = CreateWindowExA(0, "EDIT", (kShort + kLong).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL, 10,
                             10, 220, 90, main, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kEdit)), nullptr, nullptr);
    return e;
  }
  // Where to click, in the main window's client: the long line's left end,
  // and the horizontal bar's right arrow and track.
  struct Spots {
    POINT line, right_arrow, track;
  };
  Spots measure() {
    use_script("");
    HWND main = main_window();
    HWND e = make(main);
    RECT c;
    GetClientRect(e, &c);
    POINT o{0, 0};
    ClientToScreen(e, &o);
    ScreenToClient(main, &o);
    HDC dc = GetDC(e);
    TEXTMETRICA tm;
    HGDIOBJ old = SelectObject(dc, default_dialog_font());
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(e, dc);
    const int lh = tm.tmHeight;
    Spots s;
    s.line = POINT{o.x + 4, o.y + 2 + lh + lh / 2};
    s.right_arrow = POINT{o.x + c.right - 16 - 8, o.y + c.bottom - 8};
    s.track = POINT{o.x + (c.right - 16) / 2 + 20, o.y + c.bottom - 8};
    restart();
    return s;
  }
  static std::string at(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y) + " in \"Main\""; }
  // Runs the script; gives the caret position just before the window closed.
  int caret_after(const std::string& script) {
    use_script(script);
    HWND main = main_window();
    HWND e = make(main);
    int caret = -1;
    MSG m;
    for (int i = 0; i < 5000 && IsWindow(main) && GetMessageA(&m, nullptr, 0, 0); ++i) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
      if (IsWindow(e)) {
        DWORD hi = 0;
        SendMessageA(e, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&hi));
        caret = static_cast<int>(hi);
      }
    }
    return caret;
  }
};

TEST_F(EditHScroll, LongLinesAreReachedByCaretAndBar) {
  const Spots s = measure();
  const int line_start = static_cast<int>(kShort.size());
  const std::string shot = tsd::testkit::shotoutput("control_shots", "edit_hscroll.png");
  struct Case {
    std::string name;
    std::string actions;
    int min_caret, max_caret;
  };
  const Case cases[] = {
      {"not scrolled", "", line_start, line_start + 1},
      {"End scrolls the end into view", "key End\nscreenshot \"" + shot + "\"\n", line_start + 60, line_start + 150},
      {"Home goes back", "key End\nkey Home\n", line_start, line_start + 1},
      {"the right arrow", "click " + at(s.right_arrow) + "\nclick " + at(s.right_arrow) + "\n", line_start + 1,
       line_start + 4},
      {"the track pages", "click " + at(s.track) + "\n", line_start + 10, line_start + 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The last click comes late enough not to make a double click.
    const int caret = caret_after("click " + at(s.line) + "\n" + c.actions + "wait 1000\nclick " + at(s.line) + "\n");
    EXPECT_GE(caret, c.min_caret);
    EXPECT_LE(caret, c.max_caret);
    restart();
  }
}

}  // namespace
}  // namespace plat::testing

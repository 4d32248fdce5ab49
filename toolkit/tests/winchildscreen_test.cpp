// Child windows inside the root as the user sees them: a click gives a
// child the active caption and a click elsewhere takes it away again;
// children that overlap clip each other and the root draws around them.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gdi/gdi.h"
#include "platform/user/desktop.h"
#include "platform/user/user.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmiscel.h"

namespace tsd::testing {
namespace {

constexpr std::uint32_t kActiveCaption = 0x000080;    // surface pixel 0x00RRGGBB
constexpr std::uint32_t kInactiveCaption = 0x808080;

class ChildScreen : public WinHeadless {
 protected:
  static int openchild(int x, int y, int w, int h, const char* title) {
    int iwin = 0;
    yyopenchild(x, y, w, h, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, title);
    return iwin;
  }
  // A pixel of the root's top-level surface at a point of the root's client.
  static std::uint32_t atroot(int x, int y) {
    plat::POINT p{x, y};
    plat::ClientToScreen(client(), &p);
    plat::HWND f = frame();
    return f->surface->row(p.y - f->rect.top)[p.x - f->rect.left] & 0xffffffu;
  }
  // A pixel in the middle of a frame's caption bar.
  static std::uint32_t caption(plat::HWND f) {
    const plat::RECT c = plat::caption_rect(f);
    return frame()->surface->row((c.top + c.bottom) / 2)[(c.left + c.right) / 2] & 0xffffffu;
  }
  static void fill(plat::COLORREF colour) {
    plat::HBRUSH b = plat::CreateSolidBrush(colour);
    plat::RECT all{0, 0, 2000, 2000};
    plat::FillRect(hdc, &all, b);
    plat::DeleteObject(b);
  }
  // The next message of the given type (others are taken and dropped).
  Got next(int type) {
    for (int i = 0; i < 50; ++i) {
      Got g;
      wmessage(g.type, g.m);
      if (g.type == type || g.type == kCloseRequest) return g;
    }
    return Got{};
  }
};

TEST_F(ChildScreen, AClickGivesAChildTheActiveCaptionAndAClickElsewhereTakesItAway) {
  const std::string active = wintemp("caption_child_active.png");
  const std::string inactive = wintemp("caption_child_inactive.png");
  // Points of the root's client: the child's client lies at (20, 30)-(220,
  // 130), its caption bar just above it.
  const struct {
    const char* what;
    const char* click;
    int type;  // the message the press gives
    int win;
    bool childactive;
  } cases[] = {
      {"the child's client", "click 100 80", kMouseButDown, 1, true},
      {"the root's client", "click 350 260", kMouseButDown, 0, false},
      {"the child's caption", "click 60 18", kFrameButton, 1, true},
      {"the root's client again", "click 300 200", kMouseButDown, 0, false},
  };
  std::string script;
  for (const auto& c : cases) {
    script += std::string(c.click) + "\n";
    if (c.click == cases[0].click) script += "screenshot \"" + active + "\"\n";
    if (c.click == cases[1].click) script += "screenshot \"" + inactive + "\"\n";
  }
  start(script);
  yyenablemessage(kFrameButton, 1);  // so that a press on a caption comes back too
  const int child = openchild(20, 30, 200, 100, "Dziecko");
  ASSERT_EQ(child, 1);
  plat::HWND childframe = wsys.slots[child].wWindow;
  yytitlecolour(frame());  // the root's caption is the active one at first
  ASSERT_EQ(caption(childframe), kInactiveCaption);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Got press = next(c.type);
    ASSERT_EQ(press.type, c.type);
    EXPECT_EQ(press.m.win, c.win) << "the window pressed";
    EXPECT_EQ(childframe->caption_active, c.childactive);
    EXPECT_EQ(caption(childframe), c.childactive ? kActiveCaption : kInactiveCaption);
    EXPECT_EQ(caption(frame()), c.childactive ? kInactiveCaption : kActiveCaption) << "the root's caption";
    EXPECT_EQ(plat::GetFocus(), c.childactive ? wsys.slots[child].hClient : client()) << "the window with the keys";
  }
  EXPECT_EQ(next(kCloseRequest).type, kCloseRequest);
  EXPECT_TRUE(std::filesystem::exists(active));
  EXPECT_TRUE(std::filesystem::exists(inactive));
}

TEST_F(ChildScreen, AClickOnAPopupDialogAfterAChildLeavesOnlyTheDialogActive) {
  const std::string shot = wintemp("caption_dialog_active.png");
  // The child is clicked first, then the button of a modeless dialog that
  // stands beside the root.
  start("click 100 80 in \"Okno testowe\"\nbutton 1 in \"Dialog 201\"\nscreenshot \"" + shot + "\"\nclose in \"Okno testowe\"\n");
  const int child = openchild(20, 30, 200, 100, "Dziecko");
  ASSERT_EQ(child, 1);
  plat::HWND childframe = wsys.slots[child].wWindow;
  wdialogload(201);
  wdialogshow(800, 100, 0, kShowModeless);
  plat::HWND dialog = wdlg.DialogInfo[wdlg.iDlgCur].hwnd;
  ASSERT_TRUE(plat::IsWindowVisible(dialog));
  ASSERT_EQ(next(kMouseButDown).m.win, child);
  ASSERT_TRUE(childframe->caption_active) << "the clicked child's caption";
  const Got push = next(kPushButton);
  ASSERT_EQ(push.type, kPushButton);
  EXPECT_EQ(push.m.win, 201);
  EXPECT_TRUE(dialog->caption_active) << "the dialog clicked";
  EXPECT_FALSE(childframe->caption_active) << "the child's caption";
  EXPECT_FALSE(frame()->caption_active) << "the root's caption";
  EXPECT_EQ(next(kCloseRequest).type, kCloseRequest);
  EXPECT_EQ(caption(childframe), kInactiveCaption) << "as the screen shows it";
  EXPECT_TRUE(std::filesystem::exists(shot));
}

// The point of the root's client at the centre of a child's maximise box.
plat::POINT maxboxcentre(plat::HWND childframe) {
  const plat::RECT b = plat::max_box_rect(childframe);  // on the root's surface
  plat::POINT c{0, 0};
  plat::ClientToScreen(wsys.slots[0].hClient, &c);
  plat::RECT f;
  plat::GetWindowRect(wsys.slots[0].wWindow, &f);
  return plat::POINT{(b.left + b.right) / 2 - (c.x - f.left), (b.top + b.bottom) / 2 - (c.y - f.top)};
}

TEST_F(ChildScreen, AChildGrowingOverItsOldPlaceGivesNoEmptyExpose) {
  // The child's maximise box is pressed: it grows over the place it had.
  start("click 192 20\nidle\nclose in \"Okno testowe\"\n");
  const int child = openchild(20, 30, 200, 100, "Dziecko");
  ASSERT_EQ(child, 1);
  const plat::POINT box = maxboxcentre(wsys.slots[child].wWindow);
  ASSERT_EQ(box.x, 192) << "the script's click is on the maximise box";
  ASSERT_EQ(box.y, 20);
  std::vector<Got> got = loop();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back().type, kCloseRequest);
  EXPECT_TRUE(plat::IsZoomed(wsys.slots[child].wWindow)) << "the child grew";
  for (const Got& g : oftype(got, kExpose)) {
    SCOPED_TRACE("Expose of window " + std::to_string(g.m.win));
    EXPECT_GE(g.m.value1, 0) << "an area with a width (an empty one gives minus a pixel)";
    EXPECT_GE(g.m.value2, 0) << "an area with a height";
  }
}

TEST_F(ChildScreen, OverlappingChildrenClipEachOtherAndTheRootDrawsAroundThem) {
  const std::string shot = wintemp("children_overlap.png");
  start("screenshot \"" + shot + "\"\n");
  const int back = openchild(20, 30, 200, 100, "Tylne");
  const int front = openchild(120, 80, 200, 100, "Przednie");
  ASSERT_EQ(front, 2);
  // Points of the root's client: in both children, in the back one alone,
  // and in neither.
  const plat::POINT both{180, 110}, backonly{40, 50}, rootonly{380, 280};
  const plat::COLORREF red = plat::RGB(255, 0, 0), blue = plat::RGB(0, 0, 255), green = plat::RGB(0, 255, 0);
  // Every window has had its first paint, so what is drawn now stays.
  for (const WindowSlot& s : wsys.slots)
    for (plat::HWND w : {s.wWindow, s.hClient})
      if (w) plat::UpdateWindow(w);
  windowselect(front);
  fill(red);
  windowselect(back);
  fill(blue);  // the one behind draws all over its client
  windowselect(0);
  fill(green);  // and so does the root
  EXPECT_EQ(atroot(both.x, both.y), 0xff0000u) << "the child in front is unharmed";
  EXPECT_EQ(atroot(backonly.x, backonly.y), 0x0000ffu) << "the child behind shows where nothing covers it";
  EXPECT_EQ(atroot(rootonly.x, rootonly.y), 0x00ff00u);
  EXPECT_EQ(next(kCloseRequest).type, kCloseRequest);  // the screenshot is taken on the way
  EXPECT_TRUE(std::filesystem::exists(shot));

  // The front child goes: the part of the back one it covered needs
  // drawing again, and the program is told.
  windowclosechild(front);
  const std::vector<Got> exposes = oftype(loop(), kExpose);
  bool backtold = false;
  for (const Got& g : exposes) backtold = backtold || g.m.win == back;
  EXPECT_TRUE(backtold) << exposes.size() << " exposes, none of the child behind";
}

}  // namespace
}  // namespace tsd::testing

// Screenshots of every kind of standard control in a dialog, and of
// message boxes with each icon (written to the test output folder,
// TSD_SHOT_DIR when set), and what must show in them: the active caption,
// the selected list row, the selected edit text, check marks and radio
// dots, the default button's frame, a disabled button's grey text, the
// dropped list of a drop-down, a table's text kept inside its field, and
// each box's icon.
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/picture_output.h"
#include "tools/testkit/surface_pixels.h"

namespace plat::testing {
namespace {

using tsd::testkit::boundsof;
using tsd::testkit::countother;
using tsd::testkit::countcolour;
using tsd::testkit::describe;
using tsd::testkit::inside;
using tsd::testkit::pixelat;
using tsd::testkit::syscolour;
using tsd::testkit::wholeof;

std::string shot_path(const std::string& name) { return tsd::testkit::shotoutput("dialog_shots", name); }

// Where the controls of the dialog were on the screen when it ended, and
// the height of its list's rows.
std::map<int, RECT> shown;
int row_height = 0;
POINT list_client{};  // the list's client origin on the screen

void remember_places(HWND dlg) {
  shown = screen_places(dlg);
  if (HWND list = GetDlgItem(dlg, kListId)) {
    row_height = list_row_height(list);
    list_client = POINT{0, 0};
    ClientToScreen(list, &list_client);
  }
}

INT_PTR filled_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    for (const char* s : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta"})
      SendDlgItemMessageA(dlg, kListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessageA(dlg, kListId, LB_SETCURSEL, 1, 0);
    for (const char* s : {"Linear", "Logarithmic"})
      SendDlgItemMessageA(dlg, kComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessageA(dlg, kComboId, CB_SETCURSEL, 0, 0);
    CheckRadioButton(dlg, kRadio1, kRadio3, kRadio2);
    CheckDlgButton(dlg, kCheck3, BST_INDETERMINATE);
    CheckDlgButton(dlg, 302, BST_CHECKED);
    SetDlgItemTextA(dlg, kEditId, "Sample 1.25e-3");
    SetDlgItemTextA(dlg, kPasswordId, "hidden");
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    remember_places(dlg);
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

RECT inset(RECT r, int d) { return RECT{r.left + d, r.top + d, r.right - d, r.bottom - d}; }

class DialogScreenshot : public DialogTest {};

TEST_F(DialogScreenshot, StandardControls) {
  std::string a = shot_path("dlg_controls.png"), b = shot_path("dlg_controls_dropped.png");
  std::remove(a.c_str());
  std::remove(b.c_str());
  use_script("key Shift+End\nscreenshot \"" + a + "\"\nbutton 501\nscreenshot \"" + b + "\"\nkey Escape\nkey Escape\n");
  HWND owner = main_window();
  DialogTemplate t = test_dialog();
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, filled_proc, 0), IDCANCEL);
  Surface shot, dropped;
  ASSERT_TRUE(ReadSurfacePng(a, &shot)) << a;
  ASSERT_TRUE(ReadSurfacePng(b, &dropped)) << b;
  RECT main;
  GetWindowRect(owner, &main);
  const RECT dlg = shown[0];
  const std::uint32_t black = syscolour(COLOR_WINDOWTEXT), white = syscolour(COLOR_WINDOW);
  const std::uint32_t hot = syscolour(COLOR_HIGHLIGHT);

  // Captions: the dialog's active, its owner's inactive (right of their titles).
  EXPECT_EQ(pixelat(shot, dlg.left + (dlg.right - dlg.left) * 2 / 3, dlg.top + 10), syscolour(COLOR_ACTIVECAPTION));
  EXPECT_EQ(pixelat(shot, main.left + (main.right - main.left) * 2 / 3, main.top + 10),
            syscolour(COLOR_INACTIVECAPTION));

  // The selected row of the list (the second) in the highlight, its text
  // in the highlight's text colour; the first row plain.
  const RECT list = shown[kListId];
  ASSERT_GT(row_height, 4);
  const RECT row = boundsof(shot, hot, list);
  EXPECT_EQ(row.top, list_client.y + row_height) << describe(row);
  EXPECT_EQ(row.bottom - row.top, row_height) << describe(row);
  EXPECT_GT(countother(shot, hot, row), 10) << "the text of the selected row";
  EXPECT_EQ(countcolour(shot, hot, RECT{list.left, list.top, list.right, list_client.y + row_height}), 0);

  // Shift+End selected the edit's text: the highlight lies inside the
  // field, with the text in it; without the focus it is not shown.
  const RECT edit = shown[kEditId];
  const RECT selected = boundsof(shot, hot, edit);
  EXPECT_GT(selected.right - selected.left, 30) << describe(selected);
  EXPECT_TRUE(inside(selected, inset(edit, 2))) << describe(selected) << " in " << describe(edit);
  EXPECT_GT(countother(shot, hot, selected), 20) << "the text in the highlight";
  EXPECT_EQ(countcolour(dropped, hot, edit), 0) << "the selection hides with the focus";

  // Check marks and radio dots inside their white boxes: black when set,
  // grey for the third state, nothing when clear.
  struct Mark {
    int id;
    const char* what;
    int black, grey;  // least pixels of each; 0: none at all
  };
  const Mark marks[] = {
      {302, "checked", 3, 0}, {kCheck3, "third state", 0, 3}, {kRadio2, "radio set", 4, 0}, {kRadio1, "radio clear", 0, 0}};
  for (const Mark& m : marks) {
    SCOPED_TRACE(m.what);
    const RECT core = tsd::testkit::markarea(shot, shown[m.id], white);
    ASSERT_GE(core.right - core.left, 4) << describe(core);
    const int blacks = countcolour(shot, black, core);
    const int greys = countcolour(shot, syscolour(COLOR_GRAYTEXT), core);
    if (m.black) EXPECT_GE(blacks, m.black);
    else EXPECT_EQ(blacks, 0);
    if (m.grey) EXPECT_GE(greys, m.grey);
    else EXPECT_EQ(greys, 0);
  }

  // The default button has a black frame on every side; another button
  // does not on its lit left side.
  const RECT ok = shown[IDOK], cancel = shown[IDCANCEL];
  EXPECT_EQ(pixelat(shot, ok.left, (ok.top + ok.bottom) / 2), black);
  EXPECT_EQ(pixelat(shot, (ok.left + ok.right) / 2, ok.top), black);
  EXPECT_NE(pixelat(shot, cancel.left, (cancel.top + cancel.bottom) / 2), black);
  EXPECT_GT(countother(shot, syscolour(COLOR_BTNFACE), inset(cancel, 3)), 10) << "Cancel's text";
  // A disabled button's text is grey, with nothing black.
  const RECT disabled = inset(shown[601], 3);
  EXPECT_GE(countcolour(shot, syscolour(COLOR_GRAYTEXT), disabled), 5);
  EXPECT_EQ(countcolour(shot, black, disabled), 0);

  // The drop-down's list opens under its field, its current entry in the
  // highlight; it was not there before.
  const RECT combo = shown[kComboId];
  const RECT under{combo.left, combo.top, combo.right, combo.top + 100};
  EXPECT_EQ(countcolour(shot, hot, under), 0);
  const RECT entry = boundsof(dropped, hot, under);
  EXPECT_GE(entry.top, combo.top + 12) << describe(entry) << " under the field " << describe(combo);
  EXPECT_GT(countother(dropped, hot, entry), 10) << "the entry's text";
  EXPECT_GT(countcolour(dropped, white, RECT{combo.left, entry.bottom, combo.right, entry.bottom + 10}), 100)
      << "the list's next entry";
}

TEST_F(DialogScreenshot, MultiLineReadOnlyEditWithTabsAndScrollBar) {
  std::string a = shot_path("dlg_table.png");
  std::remove(a.c_str());
  use_script("screenshot \"" + a + "\"\nkey Escape\n");
  HWND owner = main_window();
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.caption = "Table";
  t.cx = 200;
  t.cy = 100;
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {item("EDIT", "", 1027, WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | WS_TABSTOP, 5, 5, 190, 70),
             item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 80, 50, 14)};
  struct P {
    static INT_PTR proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
      if (msg == WM_INITDIALOG) {
        std::string s = "T [K]\tI [pA]\tfit\r\n";
        for (int i = 0; i < 40; ++i)
          s += std::to_string(200 + i) + "\t" + std::to_string(i * i) + ".5\t" + std::to_string(i) + "\r\n";
        SetDlgItemTextA(dlg, 1027, s.c_str());
        return TRUE;
      }
      if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        remember_places(dlg);
        EndDialog(dlg, LOWORD(wp));
        return TRUE;
      }
      return FALSE;
    }
  };
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, P::proc, 0), IDCANCEL);
  Surface shot;
  ASSERT_TRUE(ReadSurfacePng(a, &shot)) << a;
  const RECT edit = shown[1027], dlg = shown[0];
  const std::uint32_t hot = syscolour(COLOR_HIGHLIGHT);
  // The table's text (selected as the field takes the focus) lies inside
  // the field, left of its scroll bar, its rows cut at the field's foot:
  // nothing of it below or right of the field.
  const RECT text = boundsof(shot, hot, edit);
  EXPECT_EQ(countcolour(shot, hot, RECT{dlg.left, edit.bottom, dlg.right, dlg.bottom}), 0);
  EXPECT_EQ(countcolour(shot, hot, RECT{edit.right, edit.top, dlg.right, edit.bottom}), 0);
  EXPECT_EQ(text.bottom, edit.bottom - 2) << describe(text) << ": the last row shown is cut at the field's foot";
  EXPECT_GT(text.right - text.left, 80) << "three columns at the tab stops";
  EXPECT_GT(countother(shot, hot, text), 200) << "the table's text";
  // The scroll bar at the field's right: its arrows and track.
  const RECT bar{edit.right - 2 - 16, edit.top + 2, edit.right - 2, edit.bottom - 2};
  EXPECT_LE(text.right, bar.left);
  EXPECT_GT(countcolour(shot, syscolour(COLOR_BTNFACE), bar), 100) << describe(bar);
  EXPECT_GT(countcolour(shot, syscolour(COLOR_WINDOWTEXT), RECT{bar.left, bar.top, bar.right, bar.top + 16}), 4)
      << "the up arrow";
}

// The box is the only button-face area of the screen; its icon lies left of
// its text, in the colours of its kind.
TEST_F(DialogScreenshot, MessageBoxIcons) {
  struct Case {
    UINT icon;
    const char* name;
    std::uint32_t colour;  // the icon's own colour
    int least;             // pixels of it at least
  };
  const Case cases[] = {
      {MB_ICONHAND, "stop", 0xff0000, 300},
      {MB_ICONQUESTION, "question", 0x0000ff, 30},
      {MB_ICONEXCLAMATION, "exclamation", 0xffff00, 200},
      {MB_ICONASTERISK, "information", 0x0000ff, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string a = shot_path(std::string("msgbox_") + c.name + ".png");
    std::remove(a.c_str());
    use_script("screenshot \"" + a + "\"\nkey Enter\n");
    MessageBoxA(nullptr, "The file could not be read.\r\nDo you want to try again?", "Varnel", MB_YESNOCANCEL | c.icon);
    Surface shot;
    ASSERT_TRUE(ReadSurfacePng(a, &shot)) << a;
    const RECT box = boundsof(shot, syscolour(COLOR_BTNFACE), wholeof(shot));
    ASSERT_GT(box.right - box.left, 200) << describe(box);
    const RECT iconarea{box.left, box.top + 20, box.left + 60, box.bottom - 30};
    const RECT icon = boundsof(shot, c.colour, wholeof(shot));
    EXPECT_GE(countcolour(shot, c.colour, iconarea), c.least);
    EXPECT_TRUE(inside(icon, iconarea)) << describe(icon) << " in " << describe(iconarea);
    EXPECT_GT(countother(shot, syscolour(COLOR_BTNFACE), RECT{iconarea.right, iconarea.top, box.right, box.top + 60}), 100)
        << "the text right of the icon";
    EXPECT_EQ(pixelat(shot, box.right - 40, box.top + 10), syscolour(COLOR_ACTIVECAPTION));
    restart();
  }
}

}  // namespace
}  // namespace plat::testing

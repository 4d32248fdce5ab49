// The further field routines on the dialog of every field kind: kinds and
// states, clearing and enabling, text, rectangles, tab stops, images and
// colours, combo and list boxes, trackbars, progress bars, ranges and
// spin partners.
#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/user/dialog/dialog.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"

namespace tsd::testing {
namespace {

constexpr int kFieldsDialog = 301;

class FieldKinds : public WinHeadless {
 protected:
  void load() {
    start("");
    infoerror(1);
    wdialogload(kFieldsDialog);
    ASSERT_EQ(infoerror(1), 0);
  }
  static plat::HWND dlg() { return wdlg.DialogInfo[wdlg.iDlgCur].hwnd; }
  static plat::HWND item(int id) { return plat::GetDlgItem(dlg(), id); }
  static std::string text(int id) { return yyfieldtext(item(id)); }
  static plat::LRESULT send(int id, plat::UINT msg, plat::WPARAM wp = 0, plat::LPARAM lp = 0) {
    return plat::SendMessageA(item(id), msg, wp, lp);
  }
};

TEST_F(FieldKinds, EveryFieldReportsItsKind) {
  load();
  struct Case {
    int field;
    int kind;
  } cases[] = {
      {3001, kFieldStaticText}, {3101, kFieldPicture}, {3102, kFieldPicture}, {3003, kFieldGroupBox},
      {3004, kFieldEdit},       {3005, kFieldEdit},    {3007, kFieldOther},   {3103, kFieldPushButton},
      {3010, kFieldCheckBox},   {3011, kFieldRadioButton}, {3013, kFieldCombo}, {3014, kFieldCombo},
      {3015, kFieldList},       {3016, kFieldList},    {3017, kFieldTab},     {3018, kFieldProgress},
      {3019, kFieldTrackbar},   {3020, kFieldPicture}, {1, kFieldPushButton},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("field " + std::to_string(c.field));
    int field = c.field, kind = -7;
    yygetfieldtype(field, kind);
    EXPECT_EQ(field, c.field) << "no failure";
    EXPECT_EQ(kind, c.kind);
  }
  int missing = 4242, kind = -7;
  yygetfieldtype(missing, kind);
  EXPECT_EQ(missing, kFieldFailed) << "a field the dialog does not have";
  EXPECT_EQ(kind, -7) << "the kind is left alone";
}

TEST_F(FieldKinds, NoCurrentDialogFailsEveryRoutine) {
  start("");
  int field = 3004, value = 0;
  yygetfieldtype(field, value);
  EXPECT_EQ(field, kFieldFailed);
  field = 3004;
  yyfieldputtext(field, "x");
  EXPECT_EQ(field, kFieldFailed);
  field = 0;
  yydialogfocus(field);
  EXPECT_EQ(field, kFieldFailed);
}

TEST_F(FieldKinds, EnableSetsTheStateEditFieldsCanBeReadOnly) {
  load();
  struct Case {
    int field;
    int state;
    int want;  // state read back
  } cases[] = {
      {3004, kFieldReadOnly, kFieldReadOnly}, {3004, kFieldDisabled, kFieldDisabled},
      {3004, kFieldEnabled, kFieldEnabled},   {3010, kFieldReadOnly, kFieldDisabled},
      {3010, kFieldEnabled, kFieldEnabled},   {3015, kFieldDisabled, kFieldDisabled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("field " + std::to_string(c.field) + " put " + std::to_string(c.state));
    int field = c.field, state = -7;
    yyfieldenable(field, c.state);
    yygetfieldstate(field, state);
    EXPECT_EQ(field, c.field);
    EXPECT_EQ(state, c.want);
  }
  EXPECT_TRUE(plat::GetWindowLongPtrA(item(3004), plat::GWL_STYLE) & plat::ES_READONLY ? false : true)
      << "enabled again means writable again";
}

TEST_F(FieldKinds, ClearEmptiesEachKindAndRefusesTheOthers) {
  load();
  using namespace plat;
  wdialogputstring(3004, "12.5");
  wdialogputstring(3001, "Tekst");
  wdialogputcheckbox(3010, 1);
  wdialogputradiobutton(3012);
  for (int f : {3004, 3001, 3010, 3012, 3013, 3015, 3003}) {
    SCOPED_TRACE("field " + std::to_string(f));
    int field = f;
    yyfieldclear(field);
    EXPECT_EQ(field, f);
  }
  EXPECT_EQ(text(3004), "");
  EXPECT_EQ(text(3001), "");
  EXPECT_EQ(text(3003), "") << "a group box loses its caption";
  EXPECT_EQ(send(3010, BM_GETCHECK), 0);
  EXPECT_EQ(send(3011, BM_GETCHECK), 0) << "the whole radio group is cleared";
  EXPECT_EQ(send(3012, BM_GETCHECK), 0);
  EXPECT_EQ(send(3013, CB_GETCOUNT), 0);
  EXPECT_EQ(send(3015, LB_GETCOUNT), 0);
  for (int f : {3018, 3019, 3017}) {
    SCOPED_TRACE("field " + std::to_string(f));
    int field = f;
    yyfieldclear(field);
    EXPECT_EQ(field, kFieldFailed);
  }
}

TEST_F(FieldKinds, PutTextIsTheRoutineBehindPutString) {
  load();
  int field = 3004;
  yyfieldputtext(field, "1.5e-3    ");
  EXPECT_EQ(text(3004), "1.5e-3") << "trailing blanks are cut";
  int length = -1;
  yyfieldgetlength(field, length);
  EXPECT_EQ(length, 6);
  infoerror(1);
  wdialogputstring(4242, "x");
  EXPECT_EQ(infoerror(1), kErrField) << "wdialogputstring turns the failure into its error code";
  field = 4242;
  yyfieldputtext(field, "x");
  EXPECT_EQ(field, kFieldFailed);
}

TEST_F(FieldKinds, FieldRectangleInDialogClientPixels) {
  load();
  using namespace plat;
  RECT want;
  GetWindowRect(item(3004), &want);
  MapWindowPoints(nullptr, dlg(), reinterpret_cast<POINT*>(&want), 2);
  int field = 3004, x = 0, y = 0, w = 0, h = 0;
  yygetfieldinfo(field, x, y, w, h, 0);
  EXPECT_EQ(x, want.left);
  EXPECT_EQ(y, want.top);
  EXPECT_EQ(w, want.right - want.left);
  EXPECT_EQ(h, want.bottom - want.top);
  int cx = 0, cy = 0, cw = 0, ch = 0;
  yygetfieldinfo(field, cx, cy, cw, ch, 1);
  EXPECT_GT(cx, x) << "the client area lies inside the sunken edge";
  EXPECT_LT(cw, w);
  RECT c;
  GetClientRect(item(3004), &c);
  EXPECT_EQ(cw, c.right);
  EXPECT_EQ(ch, c.bottom);
}

TEST_F(FieldKinds, TabStopsOnlyForListsAndMultiLineEdits) {
  load();
  const int stops[] = {16, 40, 80};
  struct Case {
    int field;
    bool ok;
  } cases[] = {{3015, true}, {3005, true}, {3004, false}, {3013, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("field " + std::to_string(c.field));
    int field = c.field;
    yydialogtabstops(field, stops, 3);
    EXPECT_EQ(field, c.ok ? c.field : kFieldFailed);
    const FieldRecord* f = yyfieldrecord(item(c.field));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->tabstops.size(), c.ok ? 3u : 0u) << "kept in the field record";
  }
}

TEST_F(FieldKinds, ImagesOfButtonsAndStaticsComeFromTheirIds) {
  load();
  using namespace plat;
  EXPECT_NE(send(3101, STM_GETIMAGE, IMAGE_BITMAP), 0) << "static bitmap named by its id";
  EXPECT_NE(send(3102, STM_GETIMAGE, IMAGE_ICON), 0) << "static icon named by its id";
  EXPECT_NE(send(3103, BM_GETIMAGE, IMAGE_BITMAP), 0) << "button bitmap named by its id";
  EXPECT_EQ(GetWindowLongPtrA(item(3104), GWL_STYLE) & BS_BITMAP, 0) << "without an image the style goes";
  struct Case {
    int field, image, kind, want;
    const char* what;
  } cases[] = {
      {3104, 3105, 1, 3104, "bitmap on a button"},
      {3001, 3106, 2, 3001, "icon on a static text"},
      {3103, 9999, 1, kFieldMissing, "missing image"},
      {3004, 3105, 1, kFieldFailed, "an edit field shows no image"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int field = c.field;
    yyfieldimage(field, c.image, c.kind);
    EXPECT_EQ(field, c.want);
  }
  EXPECT_NE(GetWindowLongPtrA(item(3104), GWL_STYLE) & BS_BITMAP, 0);
  EXPECT_EQ(GetWindowLongPtrA(item(3001), GWL_STYLE) & SS_TYPEMASK, static_cast<LONG_PTR>(SS_ICON));
  const FieldRecord* f = yyfieldrecord(item(3104));
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->ownsimage);
  EXPECT_EQ(f->image, reinterpret_cast<HGDIOBJ>(send(3104, BM_GETIMAGE, IMAGE_BITMAP)));
}

TEST_F(FieldKinds, ModalShowSharesTheImagesAndGivesThemBack) {
  start("key Enter\n");
  wdialogload(kFieldsDialog);
  int field = 3104;
  yyfieldimage(field, 3105, 1);
  const plat::LRESULT before = send(3104, plat::BM_GETIMAGE, plat::IMAGE_BITMAP);
  wdialogshow(-1, -1, 0, kShowModal);
  EXPECT_EQ(winfodialog(1), 1);
  EXPECT_EQ(send(3104, plat::BM_GETIMAGE, plat::IMAGE_BITMAP), before) << "the loaded instance keeps its image";
  EXPECT_TRUE(yyfieldrecord(item(3104))->ownsimage);
  wdialogunload();
}

TEST_F(FieldKinds, ComboSelectionTypedTextAndEntries) {
  load();
  using namespace plat;
  struct Step {
    const char* put;        // put with yyfieldputcombo, or typed into the field when typed is set
    bool typed;
    int index;
    const char* text;
  } steps[] = {
      {"alf", false, 1, "alfa"},        // the first entry starting with the text
      {"beta", true, 3, "beta"},        // typed, nothing selected: the equal entry
      {"gamma", false, 0, "gamma"},     // no entry starts with it: the text is set
      {"", true, kNoSelection, ""},     // empty and nothing selected
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(std::string("combo text \"") + s.put + "\"");
    int field = 3013;
    if (s.typed) {
      send(3013, CB_SETCURSEL, static_cast<WPARAM>(-1));
      SetWindowTextA(item(3013), s.put);
    } else {
      yyfieldputcombo(field, s.put);
    }
    int index = -7, length = -7;
    char got[12];
    yyfieldgetcombo(field, index, got, length);
    EXPECT_EQ(field, 3013);
    EXPECT_EQ(index, s.index);
    EXPECT_EQ(std::string(got, 12), (std::string(s.text) + std::string(12, ' ')).substr(0, 12));
    EXPECT_EQ(length, static_cast<int>(std::string(s.text).size()));
  }
  int field = 3014, index = 0, length = 0;
  char got[16];
  yyfieldgetcombo(field, index, got, length);
  EXPECT_EQ(index, 1) << "the drop-down list's selection from its record";
  EXPECT_EQ(std::string(got, 7), "liniowa");
  field = 3015;
  yyfieldputcombo(field, "x");
  EXPECT_EQ(field, kFieldFailed) << "a list box is no combo box";
}

TEST_F(FieldKinds, ListSelectionAppendAndKinds) {
  load();
  int field = 3015, index = 0, length = 0;
  char got[10];
  yyfieldgetlist(field, index, got, length);
  EXPECT_EQ(index, kNoSelection);
  yyfieldputoption(1, field, 1);
  yyfieldgetlist(field, index, got, length);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(std::string(got, 10), "drugi     ");
  yyfieldputoption(1, field, 3);
  EXPECT_EQ(field, kFieldFailed) << "index past the last entry";
  field = 3015;
  yyfieldputmenu(1, field, "czwarty  ");
  int count = 0;
  yygetoptioncount(field, count);
  EXPECT_EQ(count, 4);
  yyfieldputoption(1, field, 3);
  yyfieldgetlist(field, index, got, length);
  EXPECT_EQ(std::string(got, length), "czwarty") << "appended without its blanks";
  field = 3015;
  yyfieldputmenu(2, field, "x");
  EXPECT_EQ(field, kFieldFailed) << "kind 2 wants a combo box";
  field = 3014;
  yyfieldputmenu(2, field, "kwadratowa");
  EXPECT_EQ(field, 3014);
  struct Kind {
    int field, kind;
  } kinds[] = {{3015, 1}, {3016, 4}, {3014, 2}, {3013, 3}};
  for (const Kind& k : kinds) {
    SCOPED_TRACE("field " + std::to_string(k.field));
    int f = k.field, kind = 0;
    yygetmenutype(f, kind);
    EXPECT_EQ(kind, k.kind);
  }
}

TEST_F(FieldKinds, MultipleSelectionEntriesAndRanges) {
  load();
  int field = 3016;
  yyfieldputopt2(field, 2, 4, 1);
  yyfieldputopt(field, 3, 0);
  ASSERT_EQ(field, 3016);
  const int want[] = {0, 1, 0, 1};
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    int state = -7;
    yyfieldgetopt(field, i, state);
    EXPECT_EQ(state, want[i - 1]);
  }
  int index = 0, length = 0;
  char got[4];
  yyfieldgetlist(field, index, got, length);
  EXPECT_EQ(index, 2) << "the first selected entry";
  struct Bad {
    int first, last;
  } bad[] = {{0, 2}, {3, 5}};
  for (const Bad& b : bad) {
    SCOPED_TRACE("range " + std::to_string(b.first) + ".." + std::to_string(b.last));
    int f = 3016;
    yyfieldputopt2(f, b.first, b.last, 1);
    EXPECT_EQ(f, kFieldFailed);
  }
  int single = 3015;
  yyfieldputopt(single, 1, 1);
  EXPECT_EQ(single, kFieldFailed) << "a single-selection list has no entry states to set";
}

TEST_F(FieldKinds, TrackbarPositionSelectionRangeAndSteps) {
  load();
  using namespace plat;
  int field = 3019;
  yyrangetrack(field, 10, 50, 5);
  yyfieldtrackstep(field, 2, 0);
  EXPECT_EQ(send(3019, TBM_GETRANGEMIN), 10);
  EXPECT_EQ(send(3019, TBM_GETRANGEMAX), 50);
  EXPECT_EQ(send(3019, TBM_GETLINESIZE), 2);
  EXPECT_EQ(send(3019, TBM_GETPAGESIZE), 2) << "page step = line step when not above 0";
  int pos = 0, a = 0, b = 0;
  yyfieldgettrack(field, pos, a, b);
  EXPECT_EQ(a, kNoSelection);
  EXPECT_EQ(b, kNoSelection);
  yyfieldputtrack(field, 30, 20, 40, 0);
  yyfieldgettrack(field, pos, a, b);
  EXPECT_EQ(pos, 30);
  EXPECT_EQ(a, 20);
  EXPECT_EQ(b, 40);
  yyfieldputtrack(field, 35, 0, 0, 1);
  yyfieldgettrack(field, pos, a, b);
  EXPECT_EQ(pos, 35);
  EXPECT_EQ(a, 20) << "mode 1 leaves the selection";
  yyfieldputtrack(field, 35, 0, 0, 2);
  yyfieldgettrack(field, pos, a, b);
  EXPECT_EQ(a, kNoSelection) << "mode 2 clears it";
  field = 3018;
  yyfieldgettrack(field, pos, a, b);
  EXPECT_EQ(field, kFieldFailed) << "a progress bar is no trackbar";
}

TEST_F(FieldKinds, ProgressPositionStepAndRange) {
  load();
  using namespace plat;
  int field = 3018;
  yyrangeprogress(field, 0, 200);
  yyfieldputprogress(field, 50, 0);
  yyfieldputprogress(field, 25, 1);
  EXPECT_EQ(send(3018, PBM_GETPOS), 75);
  EXPECT_EQ(send(3018, PBM_GETRANGE, FALSE), 200);
  field = 3019;
  yyfieldputprogress(field, 1, 0);
  EXPECT_EQ(field, kFieldFailed);
}

TEST_F(FieldKinds, RangesCheckValuesAndReachTheSpinPartner) {
  load();
  using namespace plat;
  const FieldRecord* f = yyfieldrecord(item(3006));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->spin, item(3007)) << "the up-down control is the buddy's spin partner";
  int field = 3006;
  yyfieldrangecheck(field, 1e9);
  EXPECT_EQ(field, 3006) << "no range at creation (1000 above -1000)";
  yyfieldrange(field, 1.0, 10.0);
  int lo = 0, hi = 0;
  send(3007, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 10);
  struct Case {
    double value;
    int want;
  } cases[] = {{1.0, 3006}, {10.0, 3006}, {0.5, kFieldMissing}, {10.5, kFieldMissing}};
  for (const Case& c : cases) {
    SCOPED_TRACE("value " + std::to_string(c.value));
    int fld = 3006;
    yyfieldrangecheck(fld, c.value);
    EXPECT_EQ(fld, c.want);
  }
  yyfieldspinstep(field, 5, 0);
  UDACCEL accel[2];
  ASSERT_EQ(send(3007, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(accel)), 1);
  EXPECT_EQ(accel[0].nInc, 5u);
  int nopartner = 3004;
  yyfieldspinstep(nopartner, 5, 0);
  EXPECT_EQ(nopartner, kFieldFailed);
}

TEST_F(FieldKinds, ColoursAnswerTheColourRequests) {
  load();
  using namespace plat;
  int field = 3001;
  yyfieldcolour(field, 200, 0, 0, 0, 0, 128);
  HDC mem = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dlg(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(item(3001))));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(GetTextColor(mem), RGB(200, 0, 0));
  EXPECT_EQ(GetBkColor(mem), RGB(0, 0, 128));
  // -1 keeps a colour, 256 gives the system colour back.
  yyfieldcolour(field, -1, 0, 0, 256, 0, 0);
  const FieldRecord* f = yyfieldrecord(item(3001));
  EXPECT_EQ(f->textcolour, static_cast<int>(RGB(200, 0, 0)));
  EXPECT_EQ(f->backcolour, -1);
  brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dlg(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(item(3001))));
  EXPECT_EQ(brush, GetSysColorBrush(COLOR_BTNFACE)) << "a static stands on the button face";
  EXPECT_EQ(SendMessageA(dlg(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(item(3004))), 0)
      << "a field without colours gets the defaults";
  DeleteDC(mem);
}

}  // namespace
}  // namespace tsd::testing

// Modeless dialogs: made hidden from a resource, shown later, driven
// through IsDialogMessageA in the program's own loop; colour requests and
// dialog units.
#include "platform/gdi/gdi.h"
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

int g_pressed = 0;
HBRUSH g_brush = nullptr;

INT_PTR modeless_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_CTLCOLORSTATIC && g_brush) return reinterpret_cast<INT_PTR>(g_brush);
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    g_pressed = LOWORD(wp);
    DestroyWindow(dlg);
    PostQuitMessage(0);
    return TRUE;
  }
  return FALSE;
}

class DialogModeless : public DialogTest {};

TEST_F(DialogModeless, HiddenAtCreationShownLaterKeysThroughIsDialogMessage) {
  use_script("field 901 \"abc\"\nkey Enter\n");
  HWND owner = main_window();
  g_pressed = 0;
  HWND dlg = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(900), owner, modeless_proc, 0);
  ASSERT_NE(dlg, nullptr);
  EXPECT_FALSE(IsWindowVisible(dlg)) << "a template without WS_VISIBLE is made hidden";
  EXPECT_TRUE(IsWindowEnabled(owner)) << "a modeless dialog leaves its owner enabled";
  // Controls in template order.
  HWND first = GetWindow(dlg, GW_CHILD);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetDlgCtrlID(GetWindow(first, GW_HWNDNEXT)), 901);
  SetDlgItemTextA(dlg, 901, "before");
  char buf[32];
  GetDlgItemTextA(dlg, 901, buf, sizeof buf);
  EXPECT_STREQ(buf, "before") << "fields can be written and read while hidden";
  ShowWindow(dlg, SW_SHOW);
  SetActiveWindow(dlg);
  MSG m;
  int guard = 0;
  std::string typed;
  while (GetMessageA(&m, nullptr, 0, 0) && guard++ < 100000) {
    if (IsWindow(dlg) && m.message == WM_KEYDOWN && m.wParam == VK_RETURN) {
      GetDlgItemTextA(dlg, 901, buf, sizeof buf);
      typed = buf;
    }
    if (IsWindow(dlg) && IsDialogMessageA(dlg, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  EXPECT_EQ(g_pressed, IDOK);
  EXPECT_EQ(typed, "abc");
}

TEST_F(DialogModeless, DialogUnitsFollowTheFontAndColourRequestsReachTheProcedure) {
  use_script("");
  DialogTemplate t = test_dialog();
  t.style |= WS_VISIBLE;
  HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, modeless_proc, 0);
  ASSERT_NE(dlg, nullptr);
  RECT r{0, 0, 4, 8};
  ASSERT_TRUE(MapDialogRect(dlg, &r));
  EXPECT_GE(r.right, 4) << "one base unit is at least a few pixels";
  EXPECT_GE(r.bottom, 10);
  RECT c;
  GetClientRect(dlg, &c);
  RECT want{0, 0, t.cx, t.cy};
  MapDialogRect(dlg, &want);
  EXPECT_EQ(c.right, want.right) << "the client area is the template's size in dialog units";
  EXPECT_EQ(c.bottom, want.bottom);
  // A label asks its dialog for its brush; the dialog procedure's answer is used.
  HWND label = GetWindow(dlg, GW_CHILD);
  HDC dc = GetDC(label);
  g_brush = CreateSolidBrush(RGB(255, 0, 0));
  LRESULT got = SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(got), g_brush);
  ReleaseDC(label, dc);
  DestroyWindow(dlg);
  DeleteObject(g_brush);
  g_brush = nullptr;
}

TEST_F(DialogModeless, ItemHelpers) {
  use_script("");
  DialogTemplate t = test_dialog();
  HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, modeless_proc, 0);
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(SetDlgItemInt(dlg, kEditId, static_cast<UINT>(-42), TRUE));
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, kEditId, &ok, TRUE)), -42);
  EXPECT_TRUE(ok);
  SetDlgItemTextA(dlg, kEditId, "12x");
  GetDlgItemInt(dlg, kEditId, &ok, TRUE);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(CheckRadioButton(dlg, kRadio1, kRadio3, kRadio2));
  EXPECT_EQ(IsDlgButtonChecked(dlg, kRadio2), 1u);
  EXPECT_EQ(IsDlgButtonChecked(dlg, kRadio1), 0u);
  CheckDlgButton(dlg, kCheck3, BST_INDETERMINATE);
  EXPECT_EQ(IsDlgButtonChecked(dlg, kCheck3), 2u);
  CheckDlgButton(dlg, 302, BST_INDETERMINATE);
  EXPECT_EQ(IsDlgButtonChecked(dlg, 302), 1u) << "a 2-state box takes 2 as checked";
  // Edit limit: typing stops there, setting the text does not.
  SendDlgItemMessageA(dlg, kEditId, EM_LIMITTEXT, 3, 0);
  SetDlgItemTextA(dlg, kEditId, "");
  HWND edit = GetDlgItem(dlg, kEditId);
  for (char ch : std::string("abcdef")) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(ch), 0);
  char buf[16];
  GetDlgItemTextA(dlg, kEditId, buf, sizeof buf);
  EXPECT_STREQ(buf, "abc");
  std::string big(64000, 'x');
  SetDlgItemTextA(dlg, kEditId, big.c_str());
  EXPECT_EQ(GetWindowTextLengthA(edit), 64000);
  // Clipboard inside the process: copy from one field, paste into another.
  SetDlgItemTextA(dlg, kEditId, "copy me");
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_COPY, 0, 0);
  HWND pw = GetDlgItem(dlg, kPasswordId);
  SendMessageA(pw, WM_PASTE, 0, 0);
  GetDlgItemTextA(dlg, kPasswordId, buf, sizeof buf);
  EXPECT_STREQ(buf, "copy me");
  SendMessageA(pw, EM_SETSEL, 0, -1);
  clipboard_set_text("");
  SendMessageA(pw, WM_COPY, 0, 0);
  EXPECT_EQ(clipboard_text(), "") << "a password field does not hand out its text";
  DestroyWindow(dlg);
}

}  // namespace
}  // namespace plat::testing

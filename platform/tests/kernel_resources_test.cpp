// Resources of resources/test/test.rc, embedded by the build, read back by
// type and id.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/kernel/resources.h"
#include "text/cp1250.h"
#include "tools/testkit/files.h"

namespace {

using namespace plat;

using tsd::cp;

std::span<const BYTE> bytes_of(unsigned id, LPCSTR type) {
  HRSRC r = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), type);
  EXPECT_NE(r, nullptr) << "resource " << id << " not found";
  if (r == nullptr) return {};
  HGLOBAL g = LoadResource(nullptr, r);
  const void* p = LockResource(g);
  DWORD n = SizeofResource(nullptr, r);
  return {static_cast<const BYTE*>(p), n};
}

TEST(KernelResources, MenuTreeWithFlags) {
  auto m = decode_menu(bytes_of(100, RT_MENU));
  ASSERT_TRUE(m.has_value());
  ASSERT_EQ(m->items.size(), 2u);
  const auto& file = m->items[0];
  EXPECT_TRUE(file.popup());
  EXPECT_EQ(file.text, "&Plik");
  ASSERT_EQ(file.items.size(), 4u);
  EXPECT_EQ(file.items[0].text, cp("&Otwórz...\tCtrl+O"));
  EXPECT_EQ(file.items[0].id, 40001);
  EXPECT_EQ(file.items[0].flags, 0);
  EXPECT_EQ(file.items[1].id, 40002);
  EXPECT_EQ(file.items[1].flags, MF_GRAYED);
  EXPECT_TRUE(file.items[2].separator());
  EXPECT_EQ(file.items[2].id, 0);
  EXPECT_EQ(file.items[3].text, "Koniec");
  const auto& view = m->items[1];
  EXPECT_EQ(view.flags, MF_POPUP | MF_GRAYED);
  ASSERT_EQ(view.items.size(), 2u);
  EXPECT_EQ(view.items[0].id, 40011) << "CM_OPEN + 10 from the header";
  EXPECT_EQ(view.items[0].flags, MF_CHECKED);
  const auto& deep = view.items[1];
  EXPECT_EQ(deep.text, cp("Głębiej"));
  ASSERT_EQ(deep.items.size(), 1u);
  EXPECT_EQ(deep.items[0].flags, MF_CHECKED | MF_GRAYED);
  EXPECT_EQ(deep.items[0].id, 40020);
}

TEST(KernelResources, AcceleratorTable) {
  auto t = decode_accelerators(bytes_of(101, RT_ACCELERATOR));
  ASSERT_TRUE(t.has_value());
  struct Want {
    BYTE flags;
    WORD key;
    WORD id;
  };
  const Want want[] = {
      {0, 15, 40001},                                      // "^O": Ctrl+O as a character
      {0, 's', 40002},                                     // ASCII
      {FVIRTKEY | FALT, 0x73, 40003},                      // VK_F4
      {FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, 'G', 40011},  // letter as virtual key
  };
  ASSERT_EQ(t->size(), std::size(want));
  for (std::size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE("accelerator " + std::to_string(i));
    EXPECT_EQ((*t)[i].flags, want[i].flags);
    EXPECT_EQ((*t)[i].key, want[i].key);
    EXPECT_EQ((*t)[i].id, want[i].id);
  }
}

TEST(KernelResources, DialogTemplateInOrder) {
  auto d = decode_dialog(bytes_of(102, RT_DIALOG));
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->caption, cp("Zakres pomiarów"));
  EXPECT_EQ(d->font_face, "MS Sans Serif");
  EXPECT_EQ(d->font_size, 8);
  EXPECT_EQ(d->font_weight, 400);
  EXPECT_FALSE(d->font_italic);
  EXPECT_EQ(d->font_charset, 238);
  EXPECT_EQ(d->x, 10);
  EXPECT_EQ(d->y, 20);
  EXPECT_EQ(d->cx, 200);
  EXPECT_EQ(d->cy, 120);
  // DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, plus DS_SETFONT for FONT.
  EXPECT_EQ(d->style, 0x80u | 0x80000000u | 0x00C00000u | 0x00080000u | 0x40u);

  constexpr DWORD cv = 0x40000000u | 0x10000000u;  // WS_CHILD | WS_VISIBLE
  struct Want {
    const char* cls;
    const char* text;
    int id;
    DWORD style;
    DWORD exstyle;
    int x, y, cx, cy;
  };
  const Want want[] = {
      {"STATIC", "Nazwa:", -1, cv, 0, 5, 5, 40, 8},
      {"EDIT", "", 1001, cv | 0x00800000u | 0x00010000u, 0, 50, 4, 100, 12},
      {"BUTTON", "Tryb A", 1002, cv | 0x9u | 0x00020000u | 0x00010000u, 0, 5, 20, 60, 10},
      {"BUTTON", "Tryb B", 1003, cv | 0x9u, 0, 5, 32, 60, 10},
      {"msctls_trackbar32", "", 1004, 0x40000000u | 0x1u, 0x200u, 5, 45, 100, 15},
      {"STATIC", "Opis", -1, cv | 0x00020000u, 0, 5, 62, 30, 8},
      {"EDIT", "", 1005, cv | 0x00800000u | 0x00010000u | 0x2000u, 0, 40, 60, 50, 12},
      {"BUTTON", "Zaznacz", 1006, cv | 0x3u | 0x00010000u, 0, 5, 76, 60, 10},
      {"BUTTON", "Grupa", -1, cv | 0x7u, 0, 100, 20, 90, 40},
      {"BUTTON", "Anuluj", 2, cv | 0x00010000u, 0, 100, 100, 40, 14},
      {"BUTTON", "OK", 1, cv | 0x1u, 0, 150, 100, 40, 14},
      {"STATIC", "#105", -1, cv | 0xEu, 0, 160, 70, 20, 20},
  };
  ASSERT_EQ(d->controls.size(), std::size(want));
  for (std::size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE("control " + std::to_string(i));
    const auto& c = d->controls[i];
    EXPECT_EQ(c.window_class, want[i].cls);
    EXPECT_EQ(c.text, want[i].text);
    EXPECT_EQ(c.id, want[i].id);
    EXPECT_EQ(c.style, want[i].style);
    EXPECT_EQ(c.exstyle, want[i].exstyle);
    EXPECT_EQ(c.x, want[i].x);
    EXPECT_EQ(c.y, want[i].y);
    EXPECT_EQ(c.cx, want[i].cx);
    EXPECT_EQ(c.cy, want[i].cy);
  }
}

TEST(KernelResources, RcdataWordsAndText) {
  auto w = decode_words(bytes_of(103, RT_RCDATA));
  ASSERT_TRUE(w.has_value());
  EXPECT_EQ(*w, (std::vector<WORD>{1, 0x1234, 65535, 0xfffe, 40001}));
  auto t = bytes_of(104, RT_RCDATA);
  std::string s(reinterpret_cast<const char*>(t.data()), t.size());
  std::string want = cp("zażółć\n") + "\"quoted\" \"doubled\"" + std::string("\x80\0", 2);
  EXPECT_EQ(s, want);
}

TEST(KernelResources, StringsBitmapIconAndNames) {
  char buf[64];
  EXPECT_EQ(LoadStringA(nullptr, 7, buf, sizeof buf), static_cast<int>(cp("Wykres prądu").size()));
  EXPECT_EQ(std::string(buf), cp("Wykres prądu"));
  EXPECT_EQ(LoadStringA(nullptr, 7, buf, 4), 3) << "cut to the buffer";
  EXPECT_STREQ(buf, "Wyk");
  EXPECT_EQ(LoadStringA(nullptr, 8, buf, sizeof buf), 0);
  EXPECT_EQ(LoadStringA(nullptr, 9, buf, sizeof buf), 0);

  auto bmp = bytes_of(105, RT_BITMAP);
  ASSERT_EQ(bmp.size(), 62u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  auto ico = bytes_of(106, RT_ICON);
  ASSERT_EQ(ico.size(), 70u);
  EXPECT_EQ(ico[2], 1);

  auto named = resource_bytes("named", RT_RCDATA);
  ASSERT_EQ(named.size(), 2u) << "names match whatever their case";
  EXPECT_EQ(named[0], 7);
  EXPECT_EQ(resource_bytes("#103", RT_RCDATA).size(), 10u);
}

TEST(KernelResources, NotFoundReportsWhy) {
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(999), RT_MENU), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(77)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(100), RT_DIALOG), nullptr)
      << "a menu id is not a dialog";
}

TEST(KernelResources, DecodersRefuseDamagedBytes) {
  auto menu = bytes_of(100, RT_MENU);
  std::vector<BYTE> m(menu.begin(), menu.end());
  for (std::size_t cut : {std::size_t{0}, std::size_t{3}, m.size() / 2, m.size() - 1}) {
    SCOPED_TRACE("menu cut to " + std::to_string(cut));
    EXPECT_FALSE(decode_menu(std::span<const BYTE>(m.data(), cut)).has_value());
  }
  m.push_back(0);
  EXPECT_FALSE(decode_menu(m).has_value()) << "trailing byte";
  auto dlg = bytes_of(102, RT_DIALOG);
  std::vector<BYTE> d(dlg.begin(), dlg.end());
  EXPECT_FALSE(decode_dialog(std::span<const BYTE>(d.data(), d.size() - 1)).has_value());
  EXPECT_FALSE(decode_dialog(menu).has_value()) << "a menu is not a dialog";
  EXPECT_FALSE(decode_words(std::vector<BYTE>{1, 2, 3}).has_value());

  // Any single damaged byte decodes or is refused; it never reads past the
  // bytes (the sanitizer build checks that).
  std::vector<BYTE> dm(dlg.begin(), dlg.end());
  for (std::size_t i = 0; i < dm.size(); ++i) {
    std::vector<BYTE> x = dm;
    x[i] ^= 0xff;
    (void)decode_dialog(x);
  }
  std::vector<BYTE> mm(menu.begin(), menu.end());
  for (std::size_t i = 0; i < mm.size(); ++i) {
    std::vector<BYTE> x = mm;
    x[i] ^= 0xff;
    (void)decode_menu(x);
  }

  // A popup nested past the limit is refused, not followed.
  MenuTemplate deep;
  MenuItemTemplate* at = nullptr;
  deep.items.push_back(MenuItemTemplate{MF_POPUP, 0, "p", {}});
  at = &deep.items.back();
  for (int i = 0; i < kMaxMenuDepth + 1; ++i) {
    at->items.push_back(MenuItemTemplate{MF_POPUP, 0, "p", {}});
    at = &at->items.back();
  }
  EXPECT_FALSE(decode_menu(encode_menu(deep)).has_value());
}

}  // namespace

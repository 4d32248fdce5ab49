// What the file dialog shows of itself: the "Folders:" label of a folder
// too deep for it shows the path's end (the folder the user is in), and
// a drop-down list's text stays inside its own field.
#include <filesystem>

#include "platform/comdlg/comdlg.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/picture_output.h"
#include "tools/testkit/surface_pixels.h"

namespace plat::testing {
namespace {

using tsd::testkit::samepixels;

class DialogLook : public DialogTest {
 protected:
  // The screen while the open dialog shows `folder`.
  Surface dialog_in(const std::string& folder, const std::string& name) {
    const std::string shot = tsd::testkit::shotoutput("dialog_shots", "comdlg_" + name + ".png");
    std::remove(shot.c_str());
    use_script("screenshot \"" + shot + "\"\nfile cancel\n");
    char file[1024] = {};
    std::string initial = folder + "/";
    initial.copy(file, sizeof file - 1);
    OPENFILENAMEA o;
    o.hwndOwner = main_window();
    o.lpstrFilter = "Plik danych (*.dat, *.prn, *.txt)\0*.dat; *.prn; *.txt\0";
    o.nFilterIndex = 1;
    o.lpstrFile = file;
    o.nMaxFile = sizeof file;
    o.Flags = OFN_NOCHANGEDIR;
    EXPECT_FALSE(GetOpenFileNameA(&o));
    Surface s;
    EXPECT_TRUE(ReadSurfacePng(shot, &s)) << shot;
    restart();
    return s;
  }
};

// Deep folders that differ only at their start show the same label; one
// that differs at its end shows another.
TEST_F(DialogLook, AFolderTooDeepForTheLabelShowsItsEnd) {
  const std::string base = unique_temp("deep");
  const std::string tail = "/Dokumenty/Pomiary 2024/probka_3";
  const std::string a = base + "/AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA" + tail;
  const std::string b = base + "/BBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" + tail;
  const std::string c = base + "/AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA/Dokumenty/Pomiary 2024/probka_4";
  for (const std::string& f : {a, b, c}) std::filesystem::create_directories(f);
  const Surface in_a = dialog_in(a, "deep_folder");
  const Surface in_b = dialog_in(b, "deep_folder_b");
  const Surface in_c = dialog_in(c, "deep_folder_c");
  EXPECT_TRUE(samepixels(in_a, in_b)) << "the label shows the folders' end, where they are alike";
  EXPECT_FALSE(samepixels(in_a, in_c)) << "the label shows the last folder, where they differ";
  std::filesystem::remove_all(base);
}

// A drop-down list as wide as the file dialog's "List files of type", with
// a text far longer than its field: around its button and right of it the
// pixels are those of the same box without a text.
TEST_F(DialogLook, AComboBoxDrawsItsTextInsideItsField) {
  use_script("");
  HWND main = main_window();
  auto combo_at = [&](int y, const char* text) {
    HWND c = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 10, y, 135, 90,
                             main, nullptr, nullptr, nullptr);
    if (*text) {
      SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      SendMessageA(c, CB_SETCURSEL, 0, 0);
    }
    return c;
  };
  HWND long_text = combo_at(10, "Plik danych (*.dat, *.prn, *.txt) i bardzo długi opis");
  HWND empty = combo_at(60, "");
  drain();
  RECT lr, er;
  GetWindowRect(long_text, &lr);
  GetWindowRect(empty, &er);
  ASSERT_EQ(lr.bottom - lr.top, er.bottom - er.top);
  HDC dc = GetDC(main);
  const int width = lr.right - lr.left;
  int differ = 0;
  for (int y = 0; y < lr.bottom - lr.top; ++y)
    for (int x = width - 19; x < width + 30; ++x)  // the button, the border, and beyond the box
      differ += GetPixel(dc, 10 + x, 10 + y) != GetPixel(dc, 10 + x, 60 + y) ? 1 : 0;
  ReleaseDC(main, dc);
  EXPECT_EQ(differ, 0) << "pixels of the long text under the button, on the border or past the box";
  DestroyWindow(main);
}

}  // namespace
}  // namespace plat::testing

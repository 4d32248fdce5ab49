// The Polish keyboard (setxkbmap pl, loaded into the test's own server) and
// the real AltGr key: all 18 Polish letters typed with AltGr reach a
// settings field and the file name of a save dialog, as the program shows
// them (the dialog's pixels are the headless run's that typed the same
// text) and as it uses them (the report is saved under that name). AltGr is
// never Alt: no menu opens.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "tests/desktop/program_on_x.h"
#include "platform/gdi/surface_png.h"
#include "tools/testkit/files.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramRun;
using testkit::ProgramSetup;

const std::string kLetters = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
// The report's name: "łódź" and the rest of the letters.
const std::string kLodz = "łódź";
const std::string kReportName = kLodz + "_ąćęńśżĄĆĘŁŃÓŚŹŻ.txt";
// Where the file dialog's name field ends, from the dialog's top.
constexpr int kNameFieldBottom = 66;

// Loads the Polish layout into the server; false when setxkbmap is missing
// or failed.
bool polishlayout(const std::string& display, std::string* why) {
  const std::string exe = testkit::findonpath("setxkbmap");
  if (exe.empty()) {
    *why = "setxkbmap is not installed (package x11-xkb-utils): the Polish keyboard is not tried";
    return false;
  }
  pid_t pid = testkit::startquiet({exe, "-display", display, "pl"});
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    *why = "setxkbmap pl failed";
    return false;
  }
  return true;
}

// The same steps on the headless display: the settings dialog and the
// save dialog with the letters typed.
struct Typed {
  plat::Surface settings, lodz, save;
};

Typed headlessrun(const Program& p) {
  Typed t;
  ProgramSetup s;
  s.exe = testkit::programexe(p.name);
  s.workdir = workfolder(p, "headless_polish");
  const std::string a = s.workdir + "/settings.png", b = s.workdir + "/save.png", c = s.workdir + "/lodz.png";
  s.script = scriptkeys(p.load) + "type \"sample.dat\"\nkey Enter\n" + scriptkeys(p.prepare) + scriptkeys(p.settings) +
             scriptkeys(p.tofield) + "type \"" + kLetters + "\"\nidle\nscreenshot \"" + a + "\"\nkey Enter\nmsgbox OK\n" +
             scriptkeys(p.save) + "type \"" + kLodz + "\"\nidle\nscreenshot \"" + c + "\"\ntype \"" +
             kReportName.substr(kLodz.size()) + "\"\nidle\nscreenshot \"" + b + "\"\nkey Escape\nclose\n";
  ProgramRun run = testkit::runprogram(s);
  EXPECT_EQ(run.exitcode, 0) << run.log << run.output;
  EXPECT_TRUE(plat::ReadSurfacePng(a, &t.settings)) << run.log;
  EXPECT_TRUE(plat::ReadSurfacePng(b, &t.save)) << run.log;
  EXPECT_TRUE(plat::ReadSurfacePng(c, &t.lodz)) << run.log;
  return t;
}

class PolishKeyboardOnX : public ::testing::TestWithParam<const Program*>, public OnX {
 protected:
  // The dialog titled `title` shows what the headless run showed at its
  // place (in its top left `part`, when given: a fraction of its width and
  // a height).
  bool likeheadless(const std::string& title, const plat::Surface& headless, const std::string& name,
                    double widthpart = 1.0, int height = 0) {
    Box b;
    auto same = [&] {
      if (!window(title, &b)) return false;
      b.w = static_cast<int>(b.w * widthpart);
      if (height > 0) b.h = height;
      return differing(x.grab(b), crop(headless, b)) == 0;
    };
    if (waitfor(same, kPatience)) return true;
    plat::WriteSurfacePng(x.grab(b), shot(name + "_sdl"));
    plat::WriteSurfacePng(crop(headless, b), shot(name + "_headless"));
    ADD_FAILURE() << differing(x.grab(b), crop(headless, b)) << " pixels of \"" << title
                  << "\" differ from the headless run's: " << shot(name + "_sdl");
    return false;
  }
};

TEST_P(PolishKeyboardOnX, AltGrTypesEveryPolishLetterIntoFieldsAndFileNames) {
  const Program& p = *GetParam();
  std::string why;
  if (!startdesktop(false, &why)) GTEST_SKIP() << why;
  if (!polishlayout(server.display(), &why)) GTEST_SKIP() << why;
  const Typed ref = headlessrun(p);
  ASSERT_TRUE(start(p, workfolder(p, "bare_polish")));
  ASSERT_TRUE(focuson(p.title));
  ASSERT_TRUE(loadsample(p));

  // A settings field.
  ASSERT_TRUE(menu(p.settings));
  ASSERT_TRUE(focuson(p.settingstitle));
  if (!p.tofield.empty()) {
    ASSERT_TRUE(x.keys(xkeys(p.tofield)));
  }
  ASSERT_TRUE(x.typepolish(kLetters));
  EXPECT_TRUE(likeheadless(p.settingstitle, ref.settings, "settings"));
  EXPECT_TRUE(x.popups().empty()) << "AltGr opened a menu";
  // No number: the program refuses the letters, and the dialog closes.
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(focuson(p.refusal));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(gone(p.refusal));
  ASSERT_TRUE(gone(p.settingstitle));
  ASSERT_TRUE(focuson(p.title));

  // The file name in the save dialog, then the report saved under it.
  ASSERT_TRUE(menu(p.save));
  ASSERT_TRUE(focuson(p.savetitle));
  ASSERT_TRUE(x.typepolish(kReportName.substr(0, kLodz.size())));
  EXPECT_TRUE(likeheadless(p.savetitle, ref.lodz, "lodz", 0.375, kNameFieldBottom));
  keepscreen("lodz_typed_with_altgr");
  ASSERT_TRUE(x.typepolish(kReportName.substr(kLodz.size())));
  // The name field (the file list shows each run's own folder).
  EXPECT_TRUE(likeheadless(p.savetitle, ref.save, "save", 0.375, kNameFieldBottom));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(focuson("Informacja"));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(gone("Informacja"));
  ASSERT_TRUE(focuson(p.title));
  EXPECT_FALSE(testkit::readfile(setup.workdir + "/" + kReportName).empty())
      << "no report saved as \"" << kReportName << "\"";

  Box main;
  ASSERT_TRUE(window(p.title, &main));
  ASSERT_TRUE(x.click(main.x + main.w - kCloseFromRight, main.y + kCloseFromTop));
  const ProgramRun run = end();
  EXPECT_FALSE(run.timedout);
  EXPECT_EQ(run.exitcode, 0) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Desktop, PolishKeyboardOnX, ::testing::ValuesIn(allprograms()), programname);

}  // namespace
}  // namespace tsd::desktop

// mokrin1 and mokrin2 run as their user would: the built programs on the
// headless display, driven by a scripted user, each in a folder of its own
// prepared from examples/.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/testkit/display_log.h"
#include "tools/testkit/program_run.h"
#include "resources/mokrin/mokrin_ids.h"

namespace tsd::mokrin {
namespace {

using testkit::dialogline;
using testkit::ProgramRun;
using testkit::ProgramSetup;
using testkit::fileexists;
using testkit::readfile;
using testkit::writefile;


std::string parfile(const std::string& program) {
  return program == "mokrin1" ? "MOKRIN1.PAR" : "MOKRIN2.PAR";
}

// A working folder with the example parameter file (unless told not to)
// and the sample data file.
ProgramSetup prepare(const std::string& test, const std::string& program, bool withpar = true) {
  ProgramSetup p;
  p.exe = testkit::programexe(program);
  const std::string name = "mokrin_" + test + "_" + program;
  p.workdir = withpar ? testkit::examplefolder(name, {parfile(program), "sample.dat"})
                      : testkit::examplefolder(name, {"sample.dat"});
  return p;
}

// The texts of the message boxes shown, in order (UTF-8, as logged).
std::vector<std::string> boxes(const ProgramRun& run) {
  std::vector<std::string> texts;
  for (const testkit::LoggedBox& box : testkit::loggedboxes(run.log)) {
    texts.push_back(box.title + ": " + box.text);
  }
  return texts;
}


// Keeps a screenshot where a person can look at it after the run.
void keep(const std::string& png, const std::string& name) {
  const std::string dir = testkit::buildtree() + "/screenshots/mokrin";
  std::filesystem::create_directories(dir);
  if (fileexists(png)) {
    std::filesystem::copy_file(png, dir + "/" + name, std::filesystem::copy_options::overwrite_existing);
  }
}

const std::vector<std::string> kPrograms = {"mokrin1", "mokrin2"};

// A parameter file with a value the program cannot work with ends the
// program in order, naming the file: a grid it cannot hold, or a value for
// which the model has no finite curve.
TEST(MokrinRun, UnusableParameterFile) {
  const struct {
    const char* program;
    const char* content;
    const char* problem;
  } cases[] = {
      {"mokrin2", "0.05 200 0.7 265 4e-12\n215 310 900\n", "MOKRIN2.PAR: rekord 2: Nout = 900 poza zakresem 2..800"},
      {"mokrin2", "0.05 200 0.7 -265 4e-12\n215 310 191\n", "MOKRIN2.PAR: rekord 1: Tm <= 0"},
      {"mokrin1", "0.05 200 0 8.4e-12 1.8e-9\n215 310 191\n", "MOKRIN1.PAR: rekord 1: Ea <= 0"},
      {"mokrin1", "-0.05 200 0.7 8.4e-12 1.8e-9\n215 310 191\n", "MOKRIN1.PAR: rekord 1: b <= 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    ProgramSetup p = prepare("badpar", c.program, false);
    writefile(p.workdir + "/" + parfile(c.program), c.content);
    const ProgramRun run = testkit::runprogram(p);
    EXPECT_NE(run.exitcode, 0);
    ASSERT_EQ(boxes(run).size(), 1u) << run.log;
    EXPECT_NE(boxes(run)[0].find(c.problem), std::string::npos) << boxes(run)[0];
    EXPECT_EQ(run.output.find("DEM1"), std::string::npos) << run.output;
  }
}

// The model curves exist from the start: table 1 saved twice into one file
// holds two headings and two copies of the 191 rows; each save is
// confirmed (the box shows the text without the blanks that pad the name).
TEST(MokrinRun, TableOneSavedTwiceAtStart) {
  for (const std::string& program : kPrograms) {
    SCOPED_TRACE(program);
    ProgramSetup p = prepare("table1", program);
    const std::string out = p.workdir + "/tabela.dat";
    p.script = "menu MK_CM_SAVE_TABLE1\nfile \"" + out + "\"\nmsgbox OK\nmenu MK_CM_SAVE_TABLE1\nfile \"" + out +
               "\"\nmsgbox OK\nmenu MK_CM_END\n";
    const ProgramRun run = testkit::runprogram(p);
    EXPECT_EQ(run.exitcode, 0) << run.log;
    const std::string text = readfile(out);
    const std::string heading = "\n  T [K]    Ja [A/cm2]   Pa [C/cm2]\n";
    const std::size_t second = text.find(heading, 1);
    ASSERT_NE(second, std::string::npos) << text.substr(0, 200);
    EXPECT_EQ(text.substr(0, second), text.substr(second)) << "the second copy appended";
    EXPECT_EQ(text.substr(0, heading.size()), heading);
    const std::string first = text.substr(heading.size(), 35);
    EXPECT_EQ(first.substr(0, 8), " 215.000");
    EXPECT_NE(first.find("E-15"), std::string::npos) << first << ": the model's current at 215 K";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 * (2 + 191));
    const std::vector<std::string> want(2, "Informacja: Tabela zapisana w pliku " + out);
    EXPECT_EQ(boxes(run), want);
  }
}

// Dialog 101's refusals, one scripted run each: the boxes in order; a
// refused input leaves the curves as they were (table 1 unchanged).
// Escape applies the input like OK.
TEST(MokrinRun, ParameterDialogRefusals) {
  struct Case {
    std::string program;
    std::string typing;  // script lines typing into dialog 101
    std::vector<std::string> boxes;
    std::string close = "button 1\n";  // how the dialog is left
  };
  const std::vector<Case> cases = {
      {"mokrin1", "field 1049 \"0\"\n",
       {"Błąd: Błąd odczytu wartości Nout", "Błąd: Wartość Nout < od 2"}},
      {"mokrin1", "field 1049 \"801\"\n", {"Błąd: Wartość Nout > od 800"}},
      {"mokrin2", "field 1048 \"310\"\n", {"Błąd: Wartość Tmin >= od wartości Tmax"}},
      {"mokrin2", "field 1048 \"199\"\n", {"Błąd: Wartość Tmin < od wartości T0"}},
      {"mokrin2", "field 1017 \"x\"\nfield 1016 \"\"\n",
       {"Błąd: Błąd odczytu wartości Tm", "Błąd: Błąd odczytu wartości Jm"}},
      {"mokrin1", "field 1012 \"1e\"\nfield 1048 \"500\"\n",
       {"Błąd: Błąd odczytu wartości tau0", "Błąd: Wartość Tmin >= od wartości Tmax"}},
      {"mokrin2", "field 1049 \"1\"\n", {"Błąd: Wartość Nout < od 2"}, "key Escape\n"},
      // Values for which the model has no finite curve.
      {"mokrin1", "field 1011 \"0\"\n", {"Błąd: Wartość Ea <= 0"}},
      {"mokrin1", "field 1002 \"-0.05\"\nfield 1012 \"-8.4E-12\"\n",
       {"Błąd: Wartość b <= 0", "Błąd: Wartość tau0 <= 0"}},
      {"mokrin2", "field 1011 \"-0.7\"\nfield 1017 \"-265\"\n",
       {"Błąd: Wartość Ea <= 0", "Błąd: Wartość Tm <= 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + ": " + c.typing);
    ProgramSetup p = prepare("refusal", c.program);
    const std::string before = p.workdir + "/przed.dat", after = p.workdir + "/po.dat";
    p.script = "menu MK_CM_SAVE_TABLE1\nfile \"" + before + "\"\nmsgbox OK\nmenu MK_CM_PARAMETERS\n" + c.typing +
               c.close;
    for (std::size_t i = 0; i < c.boxes.size(); ++i) p.script += "msgbox OK\n";
    p.script += "menu MK_CM_SAVE_TABLE1\nfile \"" + after + "\"\nmsgbox OK\nmenu MK_CM_END\n";
    const ProgramRun run = testkit::runprogram(p);
    EXPECT_EQ(run.exitcode, 0) << run.log;
    std::vector<std::string> shown = boxes(run);
    ASSERT_EQ(shown.size(), c.boxes.size() + 2) << run.log;
    EXPECT_EQ(std::vector<std::string>(shown.begin() + 1, shown.end() - 1), c.boxes);
    EXPECT_EQ(readfile(before), readfile(after)) << "the curves unchanged";
    EXPECT_EQ(run.output.find("DEM1"), std::string::npos) << "no model value computed\n" << run.output;
  }
}

// An accepted input recomputes the curves at once: Nout 2 gives a table of
// the two grid ends.
TEST(MokrinRun, AcceptedInputRecomputes) {
  ProgramSetup p = prepare("accepted", "mokrin2");
  const std::string out = p.workdir + "/t.dat";
  p.script = "menu MK_CM_PARAMETERS\nfield 1049 \"2\"\nfield 1017 \"270\"\nbutton 1\nmenu MK_CM_SAVE_TABLE1\nfile \"" +
             out + "\"\nmsgbox OK\nmenu MK_CM_PARAMETERS\nbutton 1\nmenu MK_CM_END\n";
  const ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  const std::string text = readfile(out);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
  EXPECT_NE(text.find("\n 310.000"), std::string::npos) << text;
  // The second showing carries the newly derived tau0 (read-only field).
  const std::size_t second = run.log.rfind("dialog shown: \"Parametry\"");
  ASSERT_NE(second, std::string::npos);
  const std::string line = run.log.substr(second, run.log.find('\n', second) - second);
  EXPECT_NE(line.find("EDIT 1017 \" 270.000\""), std::string::npos) << line;
  EXPECT_EQ(line.find("EDIT 1012 \" 8.4090E-12\""), std::string::npos) << line;
}

// The overlay: loaded from the sample, shown on both plots, removed again;
// the plot after removal is the plot before the load, pixel for pixel.
// Screenshots of every state and dialog are kept for a person to look at.
TEST(MokrinRun, OverlayLoadedAndRemoved) {
  for (const std::string& program : kPrograms) {
    SCOPED_TRACE(program);
    ProgramSetup p = prepare("overlay", program);
    const std::string d = p.workdir + "/";
    p.script = "screenshot \"" + d + "plot1.png\"\n"
               "menu MK_CM_PLOT2\nscreenshot \"" + d + "plot2.png\"\nmenu MK_CM_PLOT1\n"
               "menu MK_CM_READ_DATA\nfile \"" + d + "sample.dat\"\n"
               "screenshot \"" + d + "plot1_data.png\"\n"
               "menu MK_CM_PLOT2\nscreenshot \"" + d + "plot2_data.png\"\n"
               "menu MK_CM_GRID\nscreenshot \"" + d + "plot2_grid.png\"\nmenu MK_CM_GRID\n"
               "menu MK_CM_PARAMETERS\nscreenshot \"" + d + "dialog101.png\"\nbutton 1\n"
               "menu MK_CM_TABLE1\nscreenshot \"" + d + "table1.png\"\nbutton 1\n"
               "menu MK_CM_TABLE2\nscreenshot \"" + d + "table2.png\"\nbutton 1\n"
               "menu MK_CM_REMOVE_DATA\nscreenshot \"" + d + "plot2_removed.png\"\n"
               "menu MK_CM_TABLE2\nmsgbox OK\nmenu MK_CM_END\n";
    const ProgramRun run = testkit::runprogram(p);
    EXPECT_EQ(run.exitcode, 0) << run.log;
    for (const char* png : {"plot1.png", "plot2.png", "plot1_data.png", "plot2_data.png",
                            "plot2_grid.png", "dialog101.png", "table1.png", "table2.png",
                            "plot2_removed.png"}) {
      ASSERT_TRUE(fileexists(d + png)) << png;
      keep(d + png, program + "_" + png);
    }
    EXPECT_NE(readfile(d + "plot1.png"), readfile(d + "plot1_data.png"));
    EXPECT_NE(readfile(d + "plot2.png"), readfile(d + "plot2_data.png"));
    EXPECT_NE(readfile(d + "plot2_data.png"), readfile(d + "plot2_grid.png"));
    EXPECT_EQ(readfile(d + "plot2.png"), readfile(d + "plot2_removed.png"))
        << "removing the data gives the model plot back";
    EXPECT_EQ(boxes(run), std::vector<std::string>{"Błąd: Nie wczytano danych"});
    // The load put the file's b and T0 into dialog 101.
    const std::string dlg = dialogline(run.log, "Parametry");
    EXPECT_NE(dlg.find("EDIT 1002 \" 5.0000E-02\""), std::string::npos) << dlg;
    const std::string t2 = dialogline(run.log, "Tabela 2");
    EXPECT_NE(t2.find("   1   215.000   8.65192E-15   2.77437E-09"), std::string::npos) << t2.substr(0, 300);
    const std::string t1 = dialogline(run.log, "Tabela 1");
    EXPECT_NE(t1.find("   1   215.000"), std::string::npos) << t1.substr(0, 300);
  }
}

// A data file whose b and T0 differ: MK_CM_SAVE_PARAMFILE writes them with the peak;
// a second start reads the file back and shows them in dialog 101.
TEST(MokrinRun, ParameterFileRewrittenAndReadBack) {
  ProgramSetup p = prepare("rewrite", "mokrin2");
  writefile(p.workdir + "/inne.dat", "3 0.1 210 1\n220 1e-12\n230 2e-12\n240 1e-12\n");
  p.script = "menu MK_CM_READ_DATA\nfile \"" + p.workdir + "/inne.dat\"\nmenu MK_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu MK_CM_END\n";
  ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(boxes(run), std::vector<std::string>{"Informacja: Parametry zapisane w pliku MOKRIN2.PAR"});
  EXPECT_EQ(readfile(p.workdir + "/MOKRIN2.PAR"),
            "  1.000000E-01  2.100000E+02  7.000000E-01  2.650000E+02  4.000000E-12\n"
            "  2.150000E+02  3.100000E+02 191\n");

  p.script = "menu MK_CM_PARAMETERS\nbutton 1\nmenu MK_CM_END\n";
  run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  const std::string dlg = dialogline(run.log, "Parametry");
  EXPECT_NE(dlg.find("EDIT 1002 \" 1.0000E-01\""), std::string::npos) << dlg;
  EXPECT_NE(dlg.find("EDIT 1010 \" 210.000\""), std::string::npos) << dlg;
}

// Printing goes to the file TSD_PRN_FILE names: the report with plain
// letters, then table 1; no box follows.
TEST(MokrinRun, PrintingRedirectedToAFile) {
  ProgramSetup p = prepare("print", "mokrin1");
  const std::string prn = p.workdir + "/prn.txt";
  p.env.emplace_back("TSD_PRN_FILE", prn);
  p.script = "menu MK_CM_PRINT_REPORT\nmenu MK_CM_PRINT_TABLE1\nmenu MK_CM_PRINT_TABLE2\nmsgbox OK\nmenu MK_CM_END\n";
  const ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(boxes(run), std::vector<std::string>{"Błąd: Nie wczytano danych"});
  const std::string text = readfile(prn);
  EXPECT_EQ(text.substr(0, 45), "\n Program Mokrin1\n\n Parametry doswiadczalne:\n");
  EXPECT_NE(text.find(" Liczba punktow wyj. Nout   = 191\n\n  T [K]    Ja [A/cm2]"),
            std::string::npos);
  EXPECT_EQ(text.find("Jd [A/cm2]"), std::string::npos) << "no table 2 without data";
}

// Cancelled file dialogs change nothing: no data, no file, no box.
TEST(MokrinRun, CancelledFileSelection) {
  ProgramSetup p = prepare("cancel", "mokrin2");
  const std::string d = p.workdir + "/";
  p.script = "screenshot \"" + d + "a.png\"\nmenu MK_CM_READ_DATA\nfile cancel\nmenu MK_CM_SAVE_REPORT\nfile cancel\n"
             "menu MK_CM_SAVE_TABLE1\nfile cancel\nscreenshot \"" + d + "b.png\"\nmenu MK_CM_SAVE_TABLE2\nmsgbox OK\n"
             "menu MK_CM_END\n";
  const ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(boxes(run), std::vector<std::string>{"Błąd: Nie wczytano danych"});
  EXPECT_EQ(readfile(d + "a.png"), readfile(d + "b.png"));
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(p.workdir)) files.push_back(e.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"MOKRIN2.PAR", "a.png", "b.png", "display.log",
                                             "output.txt", "sample.dat", "script.txt"}));
}

// Data files that cannot be used: an orderly box each, the program goes on
// and the data shown before stay.
TEST(MokrinRun, UnusableDataFiles) {
  ProgramSetup p = prepare("baddata", "mokrin1");
  writefile(p.workdir + "/krotki.dat", "10 0.05 200 1\n220 1e-12\n");
  const std::string missing = p.workdir + "/brak.dat";
  // A heating rate not above 0 leaves no polarisation to compute, and
  // currents this large one that is not a number.
  writefile(p.workdir + "/ujemne.dat", "2 -0.05 200 1\n220 1e-12\n230 2e-12\n");
  writefile(p.workdir + "/wielkie.dat", "2 0.05 200 1\n220 1e308\n230 1e308\n");
  p.script = "menu MK_CM_READ_DATA\nfile \"" + p.workdir + "/sample.dat\"\n"
             "menu MK_CM_READ_DATA\nfile \"" + p.workdir + "/krotki.dat\"\nmsgbox OK\n"
             "menu MK_CM_READ_DATA\nfile \"" + p.workdir + "/ujemne.dat\"\nmsgbox OK\n"
             "menu MK_CM_READ_DATA\nfile \"" + p.workdir + "/wielkie.dat\"\nmsgbox OK\n"
             "menu MK_CM_READ_DATA\nfile \"" + missing + "\"\nmsgbox OK\n"
             "menu MK_CM_SAVE_TABLE2\nfile \"" + p.workdir + "/t2.dat\"\nmsgbox OK\n"
             "menu MK_CM_SAVE_REPORT\nfile \"" + p.workdir + "/r.txt\"\nmsgbox OK\nmenu MK_CM_END\n";
  const ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  const std::vector<std::string> shown = boxes(run);
  ASSERT_EQ(shown.size(), 6u) << run.log;
  EXPECT_EQ(shown[0], "Błąd: Błąd odczytu danych");
  EXPECT_EQ(shown[1], "Błąd: Błąd odczytu danych");
  EXPECT_EQ(shown[2], "Błąd: Błąd odczytu danych");
  EXPECT_EQ(shown[3], "Błąd: Nie można otworzyć pliku " + missing);
  const std::string t2 = readfile(p.workdir + "/t2.dat");
  EXPECT_EQ(std::count(t2.begin(), t2.end(), '\n'), 2 + 381) << "the sample's points kept";
  // The report names the file whose data are shown, not the last one chosen.
  const std::string report = readfile(p.workdir + "/r.txt");
  EXPECT_NE(report.find(" Plik wejściowy             = " + p.workdir + "/sample.dat\n"),
            std::string::npos)
      << report;
}

// mokrin1 takes P0 = 0 (a curve of zeros), as its dialog does: the file it
// then saves starts the next run.
TEST(MokrinRun, ASavedParameterFileStartsTheNextRun) {
  ProgramSetup p = prepare("p00", "mokrin1");
  p.script = "menu MK_CM_PARAMETERS\nfield 1013 \"0\"\nbutton 1\nmenu MK_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu MK_CM_END\n";
  ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  ASSERT_EQ(boxes(run), std::vector<std::string>{"Informacja: Parametry zapisane w pliku MOKRIN1.PAR"});
  const std::string saved = readfile(p.workdir + "/MOKRIN1.PAR");
  p.script = "menu MK_CM_END\n";
  run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << saved << run.log;
  EXPECT_TRUE(boxes(run).empty()) << saved << run.log;
}

// Expose and resize redraw the current plot on the cleared window.
TEST(MokrinRun, ExposeAndResizeRedraw) {
  ProgramSetup p = prepare("expose", "mokrin1");
  const std::string d = p.workdir + "/";
  p.script = "menu MK_CM_PLOT2\nscreenshot \"" + d + "a.png\"\nrepaint\nscreenshot \"" + d + "b.png\"\n"
             "resize 600 400\nscreenshot \"" + d + "c.png\"\nresize 808 650\n"
             "screenshot \"" + d + "d.png\"\nmenu MK_CM_END\n";
  const ProgramRun run = testkit::runprogram(p);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(readfile(d + "a.png"), readfile(d + "b.png")) << "a repaint draws the same plot";
  EXPECT_NE(readfile(d + "a.png"), readfile(d + "c.png"));
  keep(d + "c.png", "mokrin1_plot2_resized.png");
  keep(d + "d.png", "mokrin1_plot2_resized_back.png");
}

TEST(MokrinRun, AboutBox) {
  for (const std::string& program : kPrograms) {
    SCOPED_TRACE(program);
    ProgramSetup p = prepare("about", program);
    p.script = "menu MK_CM_ABOUT\nscreenshot \"" + p.workdir + "/about.png\"\nmsgbox OK\nmenu MK_CM_END\n";
    const ProgramRun run = testkit::runprogram(p);
    EXPECT_EQ(run.exitcode, 0);
    ASSERT_EQ(boxes(run).size(), 1u) << run.log;
    const std::string title = program == "mokrin1" ? "Mokrin1" : "Mokrin2";
    // The log shows each line break of the box as a blank.
    EXPECT_EQ(boxes(run)[0], "O programie: Program " + title +
                                 ", wersja 1.01 Krzywe prądu depolaryzacji termicznie stymulowanej"
                                 " Model piku pierwszego rzędu Wersja dla systemu Linux");
    keep(p.workdir + "/about.png", program + "_about.png");
  }
}

}  // namespace
}  // namespace tsd::mokrin

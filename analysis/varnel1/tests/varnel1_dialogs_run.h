// What the end-to-end runs of varnel1's dialogs look at: the error boxes a
// run showed, the fields of a dialog as it was shown, the records of the
// saved parameter file, and the colours of a screenshot.
#pragma once

#include <png.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/varnel1/tests/varnel1_run.h"

namespace tsd::varnel1::testing {

using testkit::controltext;
using testkit::dialogline;

// The texts of every "Błąd" box of a log, in order (line breaks show as
// blanks).
inline std::vector<std::string> errorboxes(const std::string& log) {
  return testkit::boxtexts(log, "Błąd");
}



// Record n (from 1) of a parameter file's text.
inline std::string record(const std::string& file, int n) {
  std::istringstream in(file);
  std::string line;
  for (int i = 0; i < n && std::getline(in, line); ++i) {
  }
  return line;
}

// A screenshot's pixels as 0xRRGGBB, row after row; empty when the file
// cannot be read.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline Picture readpicture(const std::string& path) {
  Picture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    picture.pixels.push_back((std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) | rgb[i + 2]);
  }
  return picture;
}

// One dialog command run on the sample data: the dialog of `command` with
// `actions` (which end it), `boxes` message boxes answered, the dialog shown
// again and closed with Escape, the parameter file saved, the end.
struct DialogRun {
  testkit::ProgramRun run;
  std::string again;   // the log line of the second showing
  std::string params;  // VARNEL1.PAR afterwards
};

inline DialogRun rundialog(const std::string& dir, int command, const std::string& title,
                           const std::string& actions, std::size_t boxes) {
  const std::string menu = "menu " + std::to_string(command) + "\n";
  std::string script = loadsample(dir) + menu + actions;
  for (std::size_t i = 0; i < boxes; ++i) script += "msgbox OK\n";
  script += menu + "key Escape\nmenu V1_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu V1_CM_END\n";
  DialogRun r;
  r.run = runin("varnel1", dir, script);
  r.again = dialogline(r.run.log, title, 2);
  r.params = testkit::readfile(dir + "/VARNEL1.PAR");
  return r;
}

// The run ended normally, showed exactly these error boxes (as logged)
// and showed the dialog a second time.
inline void expectboxes(const DialogRun& r, const std::vector<std::string>& boxes) {
  EXPECT_EQ(r.run.exitcode, 0) << r.run.log;
  EXPECT_EQ(errorboxes(r.run.log), boxes) << r.run.log;
  EXPECT_FALSE(r.again.empty()) << "not shown again:\n" << r.run.log;
}

// Each field's text in a dialog line.
inline void expectfields(const std::string& line, const std::vector<std::pair<int, std::string>>& fields) {
  for (const auto& [id, text] : fields) EXPECT_EQ(controltext(line, "EDIT", id), text) << "field " << id << " in " << line;
}

}  // namespace tsd::varnel1::testing

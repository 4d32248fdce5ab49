// Splitting configuration lines.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/window/winconfig.h"

namespace tsd {
namespace {

struct LineCase {
  const char* what;
  std::string line;
  bool used;
  const char* key;
  const char* value;
};

TEST(WinConfigLine, TableOfLines) {
  const LineCase cases[] = {
      {"plain", "PLNAME=out.plt", true, "PLNAME", "out.plt"},
      {"lower-case key, blanks around =, a further word", "charset = roman.chr  old", true, "CHARSET",
       "roman.chr"},
      {"tabs count as blanks", "\tchardir\t=\t/usr/share/fonts/\tx", true, "CHARDIR", "/usr/share/fonts/"},
      {"line begins with =", "=value", false, "", ""},
      {"nothing after =", "DEBUG=", false, "", ""},
      {"only blanks after =", "DEBUG=    ", false, "", ""},
      {"only blanks before =", "   =3", false, "", ""},
      {"no =", "PRINTER 3", false, "", ""},
      {"key of one character", "X=1", true, "X", "1"},
      {"key cut to 8 characters", "LFNPLOTOXYZ=43", true, "LFNPLOTO", "43"},
      {"key is the first word before =", "my key=5", true, "MY", "5"},
      {"only the first = splits", "PLNAME=a=b", true, "PLNAME", "a=b"},
      {"= at position 169", std::string(167, ' ') + "K=v", true, "K", "v"},
      {"= at position 170", std::string(168, ' ') + "K=v", false, "", ""},
      {"= beyond the 170 characters read", std::string(180, ' ') + "KEY=v", false, "", ""},
      {"value cut at the 170th character", std::string(160, ' ') + "KEY=abcdefghijk", true, "KEY", "abcdef"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigSetting s;
    bool used = yyconfigline(c.line, &s);
    EXPECT_EQ(used, c.used) << "line \"" << c.line << "\"";
    if (used && c.used) {
      EXPECT_EQ(s.key, c.key);
      EXPECT_EQ(s.value, c.value);
    }
  }
}

}  // namespace
}  // namespace tsd

// Generated parameter files, for the property that a program's own save
// writes back whatever its start-up read takes, so that the next start reads
// the same values: numbers written in the many ways a free-format read takes
// them, drawn from the values a program uses, from the edges of the ranges
// its reader checks and of the fields its writer fills, and from anywhere;
// records with the separators and line breaks a hand-edited file may hold.
//
//   ParamGen g(seed);
//   std::string file = g.record({g.integer({201, 121}), g.integer({0, 1})}) +
//                      g.record({g.real({0.66, 0.9}), ...});
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tsd::testkit {

class ParamGen {
 public:
  // Each file draws how often its values leave the usual ones, so that
  // some files are taken whole and others hold an odd value or many.
  explicit ParamGen(std::uint32_t seed) : rng_(seed) {
    static constexpr int kWildness[] = {0, 3, 8, 25, 60};
    wild_ = kWildness[below(static_cast<int>(std::size(kWildness)))];
  }

  // An integer token: mostly one of `usual` (so that many files are taken
  // whole), else one at the edge of a range or of a written field, else
  // any; now and then a token that is not an integer at all.
  std::string integer(std::initializer_list<int> usual) {
    static constexpr int kEdges[] = {-2147483647 - 1, -1000, -100, -99, -10, -9, -1, 0, 1, 2, 3,
                                     9, 10, 99, 100, 799, 800, 801, 999, 1000, 2147483647};
    int v = 0;
    const int pick = below(30);
    if (usual.size() > 0 && below(100) >= wild_) {
      v = *(usual.begin() + below(static_cast<int>(usual.size())));
    } else if (pick < 1) {
      return below(2) == 0 ? "1.5" : "x";
    } else if (pick < 20) {
      v = kEdges[below(static_cast<int>(std::size(kEdges)))];
    } else {
      v = below(2001) - 1000;
    }
    std::string t = std::to_string(v);
    if (v >= 0 && below(10) == 0) t = "+" + t;
    return t;
  }

  // A real token: usually one of `usual`, else one at an edge (1 and its
  // neighbours within the written precision, 0 and -0, the ends of the
  // double range), else any magnitude with either sign; written in one of
  // the forms a free-format read takes.
  std::string real(std::initializer_list<double> usual) {
    static constexpr double kEdges[] = {0.0,
                                        -0.0,
                                        1.0,
                                        1.0000001,
                                        1.0000004,
                                        1.0000006,
                                        0.99999999,
                                        0.9999996,
                                        -1.0,
                                        1e308,
                                        1.7976931348623157e308,
                                        -1.7976931348623157e308,
                                        1e-308,
                                        2.2250738585072014e-308,
                                        4.9406564584124654e-324,
                                        1e-320,
                                        9.9999995e99,
                                        9.9999996e-100};
    double v = 0.0;
    const int pick = below(30);
    if (usual.size() > 0 && below(100) >= wild_) {
      v = *(usual.begin() + below(static_cast<int>(usual.size())));
    } else if (pick < 1) {
      return below(2) == 0 ? "abc" : "1.0E";
    } else if (pick < 20) {
      v = kEdges[below(static_cast<int>(std::size(kEdges)))];
    } else {
      std::uniform_real_distribution<double> exponent(-320.0, 308.0);
      v = std::pow(10.0, exponent(rng_)) * (below(2) == 0 ? 1.0 : -1.0);
    }
    return realtext(v);
  }

  // The tokens of one record, separated as a person might separate them,
  // sometimes run over two lines, sometimes followed by a value the read
  // leaves on its line; the line ends with LF or CR LF.
  std::string record(const std::vector<std::string>& tokens) {
    static const char* const kSeparators[] = {" ", "  ", "   ", ",", " , ", "\t", ", "};
    const std::string eol = below(8) == 0 ? "\r\n" : "\n";
    const int split = below(8) == 0 && tokens.size() > 1 ? 1 + below(int(tokens.size()) - 1) : -1;
    std::string line = below(3) == 0 ? "" : "  ";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (static_cast<int>(i) == split) {
        line += eol;
      } else if (i > 0) {
        line += kSeparators[below(static_cast<int>(std::size(kSeparators)))];
      }
      line += tokens[i];
    }
    if (below(10) == 0) line += "  7";
    return line + eol;
  }

  // True about once in `n` calls.
  bool chance(int n) { return below(n) == 0; }

 private:
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::string realtext(double v) {
    char buf[64];
    switch (below(6)) {
      case 0:
        std::snprintf(buf, sizeof buf, "%.17g", v);
        break;
      case 1:
        std::snprintf(buf, sizeof buf, "%.6E", v);
        break;
      case 2:
        std::snprintf(buf, sizeof buf, "%.7g", v);
        break;
      case 3: {
        // The exponent letter left out ("1.5-12") or given as D.
        std::snprintf(buf, sizeof buf, "%.9E", v);
        std::string t = buf;
        const std::size_t e = t.find('E');
        if (e != std::string::npos) t.replace(e, 1, below(2) == 0 ? "D" : (t[e + 1] == '-' ? "" : "E"));
        return t;
      }
      case 4:
        std::snprintf(buf, sizeof buf, "%.3f", v);
        break;
      default:
        std::snprintf(buf, sizeof buf, "%g", v);
        break;
    }
    std::string t = buf;
    // A free-format read refuses what is too long for it; keep what a
    // person would type.
    if (t.size() > 60) std::snprintf(buf, sizeof buf, "%.6E", v), t = buf;
    return t;
  }

  std::mt19937 rng_;
  int wild_ = 0;  // per cent of the values drawn from outside the usual ones
};

// Two reals agree to the seven significant digits an "E14.6" field keeps.
inline bool sameaswritten(double a, double b) {
  if (a == b) return true;
  const double scale = std::fmax(std::fabs(a), std::fabs(b));
  // Below the normal range the written digits hold fewer bits.
  if (scale < 1e-300) return std::fabs(a - b) <= 1e-306;
  return std::fabs(a - b) <= 5.1e-7 * scale;
}

}  // namespace tsd::testkit

// Formatted output through format texts.
//
// A format text is "(" followed by descriptors separated by commas and ")",
// for example "(F7.3)", "(1P,E11.2)", "(I4,F10.3,1P,2E14.5)" or "(/,A,/)".
// Blanks anywhere in it are ignored (so a format held in a blank-padded
// field works), letters may be upper or lower case. Descriptors:
//   A, Aw     a text item: all of it (A), or w characters (Aw: the first w
//             characters, or the text right-aligned after leading blanks)
//   Iw        an integer, right-aligned in w characters, minus sign only
//   Fw.d      a real in fixed point with d decimals
//   Ew.d      a real in exponent notation; with 1P one digit before the
//             point and d after it: 1.23450E+03; exponents beyond +-99 are
//             written with three digits and no letter (1.00-120)
//   kP        scale factor for the following E and F fields (1P, 0P)
//   /         ends the current record and begins the next one
//   n before A, I, F, E or / repeats it (3I3, 2E14.5, 2A)
// A field that cannot hold its value is filled with asterisks; a field is
// never shortened or widened, so a record is as long as its fields.
// Rounding is to nearest on the exact binary value (ties to even, as the
// C library prints). A value that shows as zero carries no minus sign.
// Non-finite values are written as Inf, Infinity or NaN when they fit.
//
// Items are given in order, one per A, I, F or E descriptor: an integer for
// I, a real for F and E, a text for A (an int given for F is a wrong item
// type, as in the language: write 300.0, not 300). Texts are bytes of code
// page 1250 (one byte a character); nothing here converts them. A text item
// only refers to its characters: build item lists in the call itself.
//
//   std::string s;
//   format_record("(A,F8.3,A)", {" Tmin =", 300.0, " K"}, s);  // one record
//   format_text("(/,A,/)", {" Program"}, s);   // "\n Program\n\n"
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tsd::runtime {

// One value to be written.
struct FormatItem {
  enum class Kind { integer, real, text };
  Kind kind;
  long long i = 0;
  double r = 0.0;
  std::string_view t;

  FormatItem(int v) : kind(Kind::integer), i(v) {}
  FormatItem(long v) : kind(Kind::integer), i(v) {}
  FormatItem(long long v) : kind(Kind::integer), i(v) {}
  FormatItem(float v) : kind(Kind::real), r(v) {}
  FormatItem(double v) : kind(Kind::real), r(v) {}
  FormatItem(std::string_view v) : kind(Kind::text), t(v) {}
  FormatItem(const char* v) : kind(Kind::text), t(v) {}
  FormatItem(const std::string& v) : kind(Kind::text), t(v) {}
};

enum class FormatStatus {
  ok,
  bad_format,       // the format text is not one this engine reads
  wrong_item_type,  // e.g. a real item for an I descriptor
  item_count,       // more or fewer items than item descriptors
  several_records,  // format_record with a format that writes more than one record
};

// Writes the items through the format; `out` is replaced by the records, each
// one followed by '\n'. On a status other than ok, `out` holds what was
// written before the fault.
FormatStatus format_text(std::string_view format, std::span<const FormatItem> items,
                         std::string& out);
FormatStatus format_text(std::string_view format, std::initializer_list<FormatItem> items,
                         std::string& out);

// The same for a format that writes exactly one record (a table row, a
// dialog field): `out` is replaced by the record without a line end.
FormatStatus format_record(std::string_view format, std::span<const FormatItem> items,
                           std::string& out);
FormatStatus format_record(std::string_view format, std::initializer_list<FormatItem> items,
                           std::string& out);

// One value through a format of one descriptor, e.g. "(F7.3)" or "(I3)".
FormatStatus format_real(double value, std::string_view format, std::string& out);
FormatStatus format_integer(long long value, std::string_view format, std::string& out);

}  // namespace tsd::runtime

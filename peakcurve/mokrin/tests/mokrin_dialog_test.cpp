// Dialog 101 without its window: the texts put into the fields, the reading
// back with every error box in order, and the taking over of valid input.
#include "peakcurve/mokrin/mokrin_dialog.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "analysis/funcs.h"
#include "analysis/var.h"
#include "peakcurve/mokrin/tests/mokrin_sample.h"
#include "text/cp1250.h"

namespace tsd::mokrin {
namespace {

State startstate(Variant v) { return test::examplestate(v, 191); }

std::map<int, std::string> fieldmap(const std::vector<FilledField>& f) {
  std::map<int, std::string> m;
  for (const FilledField& t : f) m[t.field] = t.text;
  return m;
}

using test::utf8;

TEST(MokrinDialogFill, FieldsInOrderWithTheirFormats) {
  State s1 = startstate(Variant::mokrin1);
  std::vector<int> ids;
  for (const FilledField& f : dialogfill(s1)) ids.push_back(f.field);
  EXPECT_EQ(ids, (std::vector<int>{1002, 1010, 1011, 1012, 1013, 1048, 1014, 1049}));
  const std::map<int, std::string> m1 = fieldmap(dialogfill(s1));
  EXPECT_EQ(m1.at(1002), " 5.0000E-02");
  EXPECT_EQ(m1.at(1010), " 200.000");
  EXPECT_EQ(m1.at(1011), " 0.700000");
  EXPECT_EQ(m1.at(1012), " 8.4090E-12");
  EXPECT_EQ(m1.at(1013), " 1.7711E-09");
  EXPECT_EQ(m1.at(1048), " 215.000");
  EXPECT_EQ(m1.at(1049), " 191");

  State s2 = startstate(Variant::mokrin2);
  ids.clear();
  for (const FilledField& f : dialogfill(s2)) ids.push_back(f.field);
  EXPECT_EQ(ids, (std::vector<int>{1002, 1010, 1011, 1017, 1016, 1012, 1013, 1048, 1014, 1049}));
  const std::map<int, std::string> m2 = fieldmap(dialogfill(s2));
  EXPECT_EQ(m2.at(1017), " 265.000");
  EXPECT_EQ(m2.at(1016), " 4.0000E-12");
  EXPECT_EQ(m2.at(1012), " 8.4090E-12") << "the derived tau0 shown";
}

// Refused inputs: one box per failed field in field order, then the four
// checks, each on whatever the reads delivered; nothing is taken over.
TEST(MokrinDialogRead, RefusalsInOrder) {
  struct Case {
    const char* what;
    Variant v;
    std::map<int, std::string> typed;
    std::vector<std::string> boxes;  // UTF-8
  };
  const std::vector<Case> cases = {
      {"Nout 0", Variant::mokrin1, {{1049, "0"}},
       {"Błąd odczytu wartości Nout", "Wartość Nout < od 2"}},
      {"Nout not a number", Variant::mokrin1, {{1049, "abc"}},
       {"Błąd odczytu wartości Nout", "Wartość Nout < od 2"}},
      {"Nout 1", Variant::mokrin2, {{1049, "1"}}, {"Wartość Nout < od 2"}},
      {"Nout 801", Variant::mokrin2, {{1049, "801"}}, {"Wartość Nout > od 800"}},
      {"Tmin equal to Tmax", Variant::mokrin1, {{1048, "310"}},
       {"Wartość Tmin >= od wartości Tmax"}},
      {"Tmin below the T0 in force", Variant::mokrin1, {{1048, "199.5"}},
       {"Wartość Tmin < od wartości T0"}},
      {"new T0 above Tmin is no check", Variant::mokrin1, {{1010, "250"}}, {}},
      {"mokrin1 reads tau0 and P0", Variant::mokrin1, {{1012, "x"}, {1013, ""}},
       {"Błąd odczytu wartości tau0", "Błąd odczytu wartości P0"}},
      {"mokrin2 reads Tm and Jm, not tau0 and P0", Variant::mokrin2,
       {{1017, "?"}, {1016, "1..2"}, {1012, "x"}, {1013, "x"}},
       {"Błąd odczytu wartości Tm", "Błąd odczytu wartości Jm"}},
      {"several faults: reads first, then checks", Variant::mokrin2,
       {{1002, "b"}, {1048, "600"}, {1049, "1000"}},
       {"Błąd odczytu wartości b", "Wartość Tmin >= od wartości Tmax", "Wartość Nout > od 800"}},
      // Values for which the model has no finite curve, in the order b, Ea,
      // then tau0 (mokrin1) or Tm (mokrin2).
      {"a zero the model divides by", Variant::mokrin2, {{1011, "0"}, {1017, "0.0"}},
       {"Wartość Ea <= 0", "Wartość Tm <= 0"}},
      {"b of 0 in mokrin1", Variant::mokrin1, {{1002, "0"}}, {"Wartość b <= 0"}},
      {"Ea of 0 in mokrin1", Variant::mokrin1, {{1011, "0"}}, {"Wartość Ea <= 0"}},
      {"negative values in mokrin1", Variant::mokrin1, {{1002, "-0.05"}, {1011, "-0.7"}, {1012, "-8.4E-12"}},
       {"Wartość b <= 0", "Wartość Ea <= 0", "Wartość tau0 <= 0"}},
      {"negative values in mokrin2", Variant::mokrin2, {{1002, "-0.05"}, {1011, "-0.7"}, {1017, "-265"}},
       {"Wartość b <= 0", "Wartość Ea <= 0", "Wartość Tm <= 0"}},
      {"a negative zero", Variant::mokrin1, {{1012, "-0.0"}}, {"Wartość tau0 <= 0"}},
      {"mokrin1 has no Tm, mokrin2 no tau0", Variant::mokrin1, {{1017, "-265"}}, {}},
      {"P0 and Jm of any sign give a curve", Variant::mokrin2, {{1016, "-4E-12"}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    State s = startstate(c.v);
    std::map<int, std::string> fields = fieldmap(dialogfill(s));
    for (const auto& [id, t] : c.typed) fields[id] = text::cp1250_from_utf8(t);
    const std::vector<std::string> boxes = dialogread(s, [&](int id) { return fields[id]; });
    EXPECT_EQ(utf8(boxes), c.boxes);
  }
}

// Nout 2 and 800 and Tmin equal to T0 are accepted; 2 gives the grid of
// Tmin and Tmax alone.
TEST(MokrinDialogRead, LimitsAccepted) {
  for (const char* nout : {"2", "800"}) {
    SCOPED_TRACE(nout);
    State s = startstate(Variant::mokrin1);
    std::map<int, std::string> fields = fieldmap(dialogfill(s));
    fields[1049] = nout;
    fields[1048] = "200";
    EXPECT_TRUE(dialogread(s, [&](int id) { return fields[id]; }).empty());
    ASSERT_TRUE(dialogcommit(s));
    EXPECT_EQ(s.peak.Ta[0], 200.0);
    EXPECT_EQ(s.peak.Ta[s.peak.Nout - 1], 310.0);
  }
}

// Accepting the dialog unchanged replaces each value by its displayed
// text: five significant digits for b, tau0, P0, Jm; the curves follow.
TEST(MokrinDialogCommit, UnchangedInputRoundsToTheShownValues) {
  State s = startstate(Variant::mokrin1);
  s.peak.tau0 = 8.409011278e-12;
  std::map<int, std::string> fields = fieldmap(dialogfill(s));
  ASSERT_TRUE(dialogread(s, [&](int id) { return fields[id]; }).empty());
  ASSERT_TRUE(dialogcommit(s));
  EXPECT_EQ(s.peak.tau0, static_cast<double>(8.4090e-12f));
  EXPECT_EQ(s.peak.P0, static_cast<double>(1.7711e-09f));
  EXPECT_EQ(s.peak.Ja[10], fun1(s.peak.Ta[10], s.peak.P0, s.peak.tau0, s.peak.Ea));
}

// mokrin2: a new Tm and Jm give new tau0 and P0, with which the model
// current at Tm is Jm; b and T0 are taken into `var`.
TEST(MokrinDialogCommit, Mokrin2DerivesTau0AndP0) {
  State s = startstate(Variant::mokrin2);
  std::map<int, std::string> fields = fieldmap(dialogfill(s));
  fields[1017] = "280";
  fields[1016] = "2.5E-12";
  fields[1002] = "0.1";
  ASSERT_TRUE(dialogread(s, [&](int id) { return fields[id]; }).empty());
  ASSERT_TRUE(dialogcommit(s));
  EXPECT_EQ(var.b, static_cast<double>(0.1f));
  EXPECT_NEAR(fun1(280.0, s.peak.P0, s.peak.tau0, s.peak.Ea) / 2.5e-12, 1.0, 1e-6);
  const std::map<int, std::string> shown = fieldmap(dialogfill(s));
  EXPECT_NE(shown.at(1012), " 8.4090E-12") << "the new tau0 shown next time";
}

// A refused input leaves the state and the curves as they were, and the
// failed field's pending value is what the failed conversion left.
TEST(MokrinDialogCommit, RefusedInputChangesNothing) {
  State s = startstate(Variant::mokrin1);
  const double ja = s.peak.Ja[50];
  std::map<int, std::string> fields = fieldmap(dialogfill(s));
  fields[1011] = "0.9";
  fields[1049] = "1";
  EXPECT_FALSE(dialogread(s, [&](int id) { return fields[id]; }).empty());
  EXPECT_EQ(s.peak.Ea, 0.7);
  EXPECT_EQ(s.peak.Ja[50], ja);
  EXPECT_EQ(s.pending.Ea, static_cast<double>(0.9f));
}

}  // namespace
}  // namespace tsd::mokrin

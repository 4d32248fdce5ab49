// The settings dialogs of varnel2: the peaks and their start values (107),
// the fit range (104), the display range and output grid (105) and the
// minimiser settings (106). Each: fill, show modal, read every field back,
// one "Błąd" box per failed check in a fixed order, commit only when all
// passed, recompute and redraw in every case.
#include "multipeak/varnel2/varnel2_dialogs.h"

#include <string>

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "multipeak/varnel2/varnel2_fields.h"
#include "multipeak/varnel2/varnel2_graph.h"
#include "resources/varnel2/varnel2_ids.h"
#include "shell/boxes.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel2 {

namespace {

// Field ids of dialog 107 by peak.
constexpr int kPeakCheck[kMaxPeaks] = {1014, 1016, 1019, 1023};
constexpr int kPeakEa[kMaxPeaks] = {1073, 1074, 1075, 1076};
constexpr int kPeakTm[kMaxPeaks] = {1018, 1027, 1031, 1033};
constexpr int kPeakJm[kMaxPeaks] = {1021, 1035, 1036, 1037};

std::string readmessage(std::string_view what) {
  return cp("Błąd odczytu wartości ") + std::string(what);
}

// The two temperature fields of a range dialog read into tmin and tmax, a
// box for each unreadable one; true when one failed.
bool readrange(int minfield, int maxfield, double& tmin, double& tmax) {
  bool failed = false;
  if (!getreal(minfield, tmin)) {
    errorbox(readmessage("Tmin"));
    failed = true;
  }
  if (!getreal(maxfield, tmax)) {
    errorbox(readmessage("Tmax"));
    failed = true;
  }
  return failed;
}

// The checks of a temperature range, on whatever the reads left; true when
// one failed.
bool checkrange(double tmin, double tmax) {
  bool failed = false;
  if (tmin >= tmax) {
    errorbox(cp("Wartość Tmin >= od wartości Tmax"));
    failed = true;
  }
  if (tmin <= var.T0) {
    errorbox(cp("Wartość Tmin <= od wartości T0"));
    failed = true;
  }
  return failed;
}

}  // namespace

void putpeakfields(const State& s, int k) {
  putreal(kPeakEa[k - 1], s.Ea[k - 1], "(F8.6)", 8);
  putreal(kPeakTm[k - 1], s.Tm[k - 1], "(F8.4)", 8);
  putreal(kPeakJm[k - 1], s.Jm[k - 1], "(1P,E12.6)", 12);
}

void setpeakcheck(int k, int state) { wdialogputcheckbox(kPeakCheck[k - 1], state); }

void peaksdialog(State& s) {
  wdialogselect(V2_DLG_PEAKS);
  for (int k = 1; k <= kMaxPeaks; ++k) {
    setpeakcheck(k, s.peakon[k - 1]);
    putpeakfields(s, k);
  }
  showmodal();
  double Ea[kMaxPeaks], Tm[kMaxPeaks], Jm[kMaxPeaks];
  bool failed = false;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    wdialoggetcheckbox(kPeakCheck[k - 1], s.peakon[k - 1]);
    if (s.peakon[k - 1] != 1) continue;
    Ea[k - 1] = s.Ea[k - 1];
    Tm[k - 1] = s.Tm[k - 1];
    Jm[k - 1] = s.Jm[k - 1];
    const std::string peak = "Pik nr " + std::to_string(k) + "\r\n";
    if (!getreal(kPeakEa[k - 1], Ea[k - 1])) {
      errorbox(peak + readmessage("Ea"));
      failed = true;
    }
    if (!getreal(kPeakTm[k - 1], Tm[k - 1])) {
      errorbox(peak + readmessage("Tm"));
      failed = true;
    }
    if (!getreal(kPeakJm[k - 1], Jm[k - 1])) {
      errorbox(peak + readmessage("Jm"));
      failed = true;
    }
  }
  if (!failed) {
    for (int k = 0; k < kMaxPeaks; ++k) {
      if (s.peakon[k] != 1) continue;
      s.Ea[k] = Ea[k];
      s.Tm[k] = Tm[k];
      s.Jm[k] = Jm[k];
    }
  }
  buildvector(s);
  startcurves(s);
  s.fitted = 0;
  wdialoghide();
  redraw(s);
}

void fitrangedialog(State& s) {
  wdialogselect(V2_DLG_FIT_RANGE);
  putreal(1004, s.tfmin, "(F7.3)", 7);
  putreal(1008, s.tfmax, "(F7.3)", 7);
  showmodal();
  double tmin = s.tfmin, tmax = s.tfmax;
  bool failed = readrange(1004, 1008, tmin, tmax);
  failed = checkrange(tmin, tmax) || failed;
  if (!failed) {
    s.tfmin = tmin;
    s.tfmax = tmax;
  }
  fitindexrange(s);
  s.fitted = 0;
  wdialoghide();
  redraw(s);
}

void displayrangedialog(State& s) {
  wdialogselect(V2_DLG_DISPLAY_RANGE);
  putreal(1005, s.tdmin, "(F7.3)", 7);
  putreal(1007, s.tdmax, "(F7.3)", 7);
  putinteger(1052, s.Nout, "(I3)", 3);
  showmodal();
  double tmin = s.tdmin, tmax = s.tdmax;
  int nout = 0;
  bool failed = readrange(1005, 1007, tmin, tmax);
  if (!getinteger(1052, nout)) {
    errorbox(readmessage("Nout"));
    failed = true;
  }
  failed = checkrange(tmin, tmax) || failed;
  if (nout < 2) {
    errorbox(cp("Wartość Nout < od 2"));
    failed = true;
  }
  if (nout > kMaxOutputGrid) {
    errorbox(cp("Wartość Nout > od 800"));
    failed = true;
  }
  if (!failed) {
    s.tdmin = tmin;
    s.tdmax = tmax;
    s.Nout = nout;
    buildgrid(s);
  }
  // Both sets of curves on the grid: the one not shown now is tabulated, or
  // shown after the next change, beside the same temperatures.
  startcurves(s);
  fitcurves(s.Nout, s.fit, s.curves);
  wdialoghide();
  redraw(s);
}

void fitsettingsdialog(State& s) {
  wdialogselect(V2_DLG_FIT_SETTINGS);
  putreal(1013, s.QEa, "(F6.2)", 6);
  putreal(1011, s.QTm, "(F6.2)", 6);
  putreal(1012, s.QJm, "(F6.2)", 6);
  putreal(1015, s.Del, "(F6.4)", 6);
  putinteger(1016, s.Ldiv, "(I1)", 1);
  showmodal();
  double qea = s.QEa, qtm = s.QTm, qjm = s.QJm, del = s.Del;
  int ldiv = 0;
  bool failed = false;
  const struct {
    int field;
    double* value;
    const char* name;
  } reals[4] = {{1013, &qea, "QEa"}, {1011, &qtm, "QTm"}, {1012, &qjm, "QJm"}, {1015, &del, "Del"}};
  for (const auto& r : reals) {
    if (!getreal(r.field, *r.value)) {
      errorbox(readmessage(r.name));
      failed = true;
    }
  }
  if (!getinteger(1016, ldiv)) {
    errorbox(readmessage("Ldiv"));
    failed = true;
  }
  const struct {
    bool bad;
    const char* text;
  } checks[5] = {{qea <= 1.0, "Wartość QEa <= 1.0"},
                 {qtm <= 1.0, "Wartość QTm <= 1.0"},
                 {qjm <= 1.0, "Wartość QJm <= 1.0"},
                 {del >= 1.0, "Wartość Del >= 1.0"},
                 {ldiv < 1, "Wartość Ldiv < 1"}};
  for (const auto& c : checks) {
    if (c.bad) {
      errorbox(cp(c.text));
      failed = true;
    }
  }
  if (!failed) {
    s.QEa = qea;
    s.QTm = qtm;
    s.QJm = qjm;
    s.Del = del;
    s.Ldiv = ldiv;
  }
  rebound(s);
  s.fitted = 0;
  wdialoghide();
  redraw(s);
}

}  // namespace tsd::varnel2

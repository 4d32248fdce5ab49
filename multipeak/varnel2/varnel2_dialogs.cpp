// The settings dialogs of varnel2: the peaks and their start values (107),
// the fit range (104), the display range and output grid (105) and the
// minimiser settings (106). Each: fill, show modal, read every field back,
// the checks of varnel2_checks.h shown in their boxes, commit only when all
// passed, recompute and redraw in every case.
#include "multipeak/varnel2/varnel2_dialogs.h"

#include <string>

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "multipeak/varnel2/varnel2_checks.h"
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

// A real field read into f, which keeps its value when the field holds no
// number.
void readfield(int field, RealField& f) { f.read = getreal(field, f.value); }

// An integer field read into f (0 when it holds none).
void readfield(int field, IntegerField& f) {
  f.value = 0;
  f.read = getinteger(field, f.value);
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
  PeaksInput in;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    // The check boxes are taken whatever the checks find.
    wdialoggetcheckbox(kPeakCheck[k - 1], s.peakon[k - 1]);
    in.peakon[k - 1] = s.peakon[k - 1];
    if (s.peakon[k - 1] != 1) continue;
    in.Ea[k - 1].value = s.Ea[k - 1];
    in.Tm[k - 1].value = s.Tm[k - 1];
    in.Jm[k - 1].value = s.Jm[k - 1];
    readfield(kPeakEa[k - 1], in.Ea[k - 1]);
    readfield(kPeakTm[k - 1], in.Tm[k - 1]);
    readfield(kPeakJm[k - 1], in.Jm[k - 1]);
  }
  const CheckMessages messages = peakschecks(in);
  errorboxes(messages);
  if (messages.empty()) {
    for (int k = 0; k < kMaxPeaks; ++k) {
      if (s.peakon[k] != 1) continue;
      s.Ea[k] = in.Ea[k].value;
      s.Tm[k] = in.Tm[k].value;
      s.Jm[k] = in.Jm[k].value;
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
  FitRangeInput in;
  in.tmin.value = s.tfmin;
  in.tmax.value = s.tfmax;
  readfield(1004, in.tmin);
  readfield(1008, in.tmax);
  const CheckMessages messages = fitrangechecks(in, var.T0);
  errorboxes(messages);
  if (messages.empty()) {
    s.tfmin = in.tmin.value;
    s.tfmax = in.tmax.value;
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
  DisplayRangeInput in;
  in.tmin.value = s.tdmin;
  in.tmax.value = s.tdmax;
  readfield(1005, in.tmin);
  readfield(1007, in.tmax);
  readfield(1052, in.nout);
  const CheckMessages messages = displayrangechecks(in, var.T0);
  errorboxes(messages);
  if (messages.empty()) {
    s.tdmin = in.tmin.value;
    s.tdmax = in.tmax.value;
    s.Nout = in.nout.value;
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
  FitSettingsInput in;
  in.QEa.value = s.QEa;
  in.QTm.value = s.QTm;
  in.QJm.value = s.QJm;
  in.Del.value = s.Del;
  readfield(1013, in.QEa);
  readfield(1011, in.QTm);
  readfield(1012, in.QJm);
  readfield(1015, in.Del);
  readfield(1016, in.Ldiv);
  const CheckMessages messages = fitsettingschecks(in);
  errorboxes(messages);
  if (messages.empty()) {
    s.QEa = in.QEa.value;
    s.QTm = in.QTm.value;
    s.QJm = in.QJm.value;
    s.Del = in.Del.value;
    s.Ldiv = in.Ldiv.value;
  }
  rebound(s);
  s.fitted = 0;
  wdialoghide();
  redraw(s);
}

}  // namespace tsd::varnel2

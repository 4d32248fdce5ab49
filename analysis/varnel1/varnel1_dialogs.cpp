#include "analysis/varnel1/varnel1_dialogs.h"

#include <span>
#include <string>
#include <vector>

#include "shell/fields.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_dialogchecks.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "analysis/varnel1/varnel1_recompute.h"
#include "analysis/varnel1/varnel1_series.h"
#include "shell/boxes.h"
#include "resources/varnel1/varnel1_ids.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel1 {

namespace {

// The controls of one limit: the button in K, the button as 1000/T, the
// field in K and the field as 1000/T.
struct LimitControls {
  int kbutton, ibutton, kfield, ifield;
};

constexpr LimitControls kRangeControls[kRangeSeries][kLimitCount] = {
    {{1016, 1023, 1035, 1025}, {1017, 1024, 1028, 1030}, {1087, 1093, 1090, 1096}, {1018, 1034, 1032, 1033}},
    {{1072, 1037, 1043, 1049}, {1026, 1039, 1045, 1051}, {1088, 1094, 1091, 1097}, {1029, 1041, 1047, 1053}},
    {{1036, 1038, 1044, 1050}, {1027, 1040, 1046, 1052}, {1089, 1095, 1092, 1098}, {1031, 1042, 1048, 1054}},
};

constexpr LimitControls kOutputTmin = {1001, 1002, 1005, 1006};
constexpr LimitControls kOutputTmax = {1003, 1004, 1007, 1008};
constexpr int kOutputCount = 1052;

// The buttons of dialog 107 per series: integration methods 1..3 and P0
// methods 1..3.
constexpr int kIntMethodButtons[kRangeSeries][3] = {{1061, 1062, 1063}, {1064, 1065, 1029}, {1066, 1067, 1030}};
constexpr int kP0MethodButtons[kRangeSeries][3] = {{1068, 1069, 1070}, {1019, 1032, 1034}, {1031, 1033, 1035}};

constexpr int kPlotBoxes[kRangeSeries] = {1044, 1071, 1046};
constexpr int kTableButtons[kRangeSeries] = {1047, 1051, 1050};

int& modeof(Settings& settings, int s, int limit) {
  switch (limit) {
    case kTmin: return settings.tminmode[s];
    case kTmax: return settings.tmaxmode[s];
    case kTini: return settings.tinimode[s];
    default: return settings.tlimmode[s];
  }
}

double& limitof(AnalysisState& a, int s, int limit) {
  switch (limit) {
    case kTmin: return a.tmin[s];
    case kTmax: return a.tmax[s];
    case kTini: return a.tini[s];
    default: return a.tlim[s];
  }
}

// The button of a stored choice 1..n; another value selects none.
void putchoice(std::span<const int> buttons, int choice) {
  if (choice >= 1 && choice <= static_cast<int>(buttons.size())) wdialogputradiobutton(buttons[choice - 1]);
}

int getchoice(int firstbutton) {
  int choice = kNoRadioSet;
  wdialoggetradiobutton(firstbutton, choice);
  return choice;
}

// One limit's buttons and fields from its mode and its value in K.
void putlimit(const LimitControls& c, int mode, double t, double x) {
  const int pair[2] = {c.kbutton, c.ibutton};
  putchoice(pair, mode);
  wdialogputstring(c.kfield, kelvintext(t));
  wdialogputstring(c.ifield, inversetext(x));
}

}  // namespace

void rangedialog(State& st) {
  Settings& settings = st.settings;
  AnalysisState& a = st.analysis;
  wdialogselect(V1_DLG_RANGES);
  for (int s = 0; s < kRangeSeries; ++s) {
    for (int k = 0; k < kLimitCount; ++k) {
      const double t = limitof(a, s, k);
      putlimit(kRangeControls[s][k], modeof(settings, s, k), t, 1000.0 / t);
    }
  }
  showmodal();

  // The modes are taken whatever becomes of the values.
  TypedRanges typed;
  RangeValues values{};
  for (int s = 0; s < kRangeSeries; ++s) {
    for (int k = 0; k < kLimitCount; ++k) {
      const LimitControls& c = kRangeControls[s][k];
      modeof(settings, s, k) = getchoice(c.kbutton);
      typed[s][k] = {modeof(settings, s, k), fieldtext(c.kfield), fieldtext(c.ifield)};
      values[s][k] = limitof(a, s, k);
    }
  }
  const CheckMessages refused = checkranges(typed, values);
  errorboxes(refused);
  if (!refused.empty()) {
    wdialoghide();
    return;
  }
  for (int s = 0; s < kRangeSeries; ++s) {
    for (int k = 0; k < kLimitCount; ++k) limitof(a, s, k) = values[s][k];
  }
  recomputeseries(st, SeriesWindow::FitLimits);
  wdialoghide();
}

void methoddialog(State& st) {
  AnalysisState& a = st.analysis;
  wdialogselect(V1_DLG_METHODS);
  for (int s = 0; s < kRangeSeries; ++s) {
    putchoice(kIntMethodButtons[s], a.intmethod[s]);
    putchoice(kP0MethodButtons[s], a.p0method[s]);
  }
  showmodal();
  for (int s = 0; s < kRangeSeries; ++s) {
    a.intmethod[s] = getchoice(kIntMethodButtons[s][0]);
    a.p0method[s] = getchoice(kP0MethodButtons[s][0]);
  }
  wdialoghide();
  // Nothing to check: every series is computed again with its methods.
  recomputeseries(st, SeriesWindow::FitLimits);
}

void outputdialog(State& st) {
  Settings& settings = st.settings;
  AnalysisState& a = st.analysis;
  wdialogselect(V1_DLG_OUTPUT_RANGE);
  putlimit(kOutputTmin, settings.calctminmode, a.calctmin, a.xhi3);
  putlimit(kOutputTmax, settings.calctmaxmode, a.calctmax, a.xlo3);
  wdialogputstring(kOutputCount, counttext(a.nwyj));
  showmodal();

  settings.calctminmode = getchoice(kOutputTmin.kbutton);
  settings.calctmaxmode = getchoice(kOutputTmax.kbutton);
  TypedOutput typed;
  typed.tminmode = settings.calctminmode;
  typed.tmaxmode = settings.calctmaxmode;
  typed.tmin = fieldtext(kOutputTmin.kfield);
  typed.xhigh = fieldtext(kOutputTmin.ifield);
  typed.tmax = fieldtext(kOutputTmax.kfield);
  typed.xlow = fieldtext(kOutputTmax.ifield);
  typed.count = fieldtext(kOutputCount);
  OutputValues values{a.calctmin, a.xhi3, a.calctmax, a.xlo3, a.nwyj};
  const CheckMessages refused = checkoutput(typed, var.T0, values);
  errorboxes(refused);
  if (!refused.empty()) {
    wdialoghide();
    return;
  }
  a.calctmin = values.tmin;
  a.calctmax = values.tmax;
  a.xhi3 = values.xhigh;
  a.xlo3 = values.xlow;
  a.nwyj = values.count;
  gridcompute(a);
  modelrefresh(a);
  redraw(st);
  wdialoghide();
}

void seriesdialog(State& st) {
  Settings& settings = st.settings;
  wdialogselect(V1_DLG_SERIES);
  for (int s = 0; s < kRangeSeries; ++s) wdialogputcheckbox(kPlotBoxes[s], settings.plotseries[s]);
  putchoice(kTableButtons, settings.tabseries);
  showmodal();
  for (int s = 0; s < kRangeSeries; ++s) wdialoggetcheckbox(kPlotBoxes[s], settings.plotseries[s]);
  settings.tabseries = getchoice(kTableButtons[0]);
  computejmask(settings);
  wdialoghide();
  redraw(st);
}

}  // namespace tsd::varnel1

// Per-series computation of varnel1 (see varnel1_series.h).
#include "analysis/varnel1/varnel1_series.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "analysis/fit.h"
#include "analysis/funcs.h"
#include "analysis/integr.h"
#include "analysis/var.h"

namespace tsd::varnel1 {

namespace {

// Scale of the Arrhenius plot's abscissa: x = 1000/T.
constexpr double kScale = 1000.0;
// Added to Pd/J before the logarithm, so Pd = 0 gives -50.
constexpr double kLogFloor = 1e-50;
// k*ln 10*1000 [eV]: turns the slope of log10 tau against 1000/T into Ea.
constexpr double kSlopeToEa = 0.198415224;
// ln 10, for the error of tau0 = 10^a.
constexpr double kLn10 = 2.302585093;
// The reciprocal of kSlopeToEa, rebuilding the slope from Ea.
constexpr double kEaToSlope = 5.039935846858203;
// P0 of the unit model curves.
constexpr double kUnitP0 = 1.0;
// The integration runs down from the upper limit.
constexpr int kDownwards = 2;

constexpr int kPoints = AnalysisState::kPoints;

// Counts cut to the arrays, so a count the state was given from outside
// (a data file, the parameter file) never reaches past them.
int measured_points(const AnalysisState& a) { return std::clamp(a.nwej, 0, kPoints); }
int grid_points(const AnalysisState& a) { return std::clamp(a.nwyj, 0, kPoints); }

// "Seria nr <s>" CR LF and what went wrong (code page 1250).
SeriesOutcome series_failure(int s, std::string_view what) {
  static constexpr std::string_view kHead = "Seria nr ";
  SeriesOutcome out;
  out.ok = false;
  auto it = std::copy(kHead.begin(), kHead.end(), out.message.begin());
  *it++ = static_cast<char>('0' + s);
  *it++ = '\r';
  *it++ = '\n';
  it = std::copy(what.begin(), what.end(), it);
  out.length = static_cast<int>(it - out.message.begin());
  return out;
}

// "Liczba punktów aproksymacji < 2" (ó is 0xF3 in code page 1250).
SeriesOutcome too_few_points(int s) {
  return series_failure(s, "Liczba punkt\xF3w aproksymacji < 2");
}

// "Wyniki obliczeń nie są liczbami skończonymi" (ń is 0xF1, ą 0xB9).
SeriesOutcome not_finite(int s) {
  return series_failure(s, "Wyniki oblicze\xF1 nie s\xB9 liczbami sko\xF1" "czonymi");
}

// The plot range of series s's measured points, and its valid integration
// range i1..i2 (empty when i2 < i1): they describe pd and ltaud, which
// every computation of the series renews, successful or not.
void measured_ranges(AnalysisState& st, int c, int n, int i1, int i2) {
  st.datfirst[c] = 1;
  st.datcount[c] = n;
  st.intfirst[c] = i2 >= i1 ? i1 : 1;
  st.intcount[c] = i2 >= i1 ? i2 - i1 + 1 : 0;
}

// Model current and polarisation of series s on the output grid.
void grid_curves(AnalysisState& a, int s) {
  const int column = s - 1;
  const int n = grid_points(a);
  for (int k = 1; k <= n; ++k) {
    const double t = a.tout[k - 1];
    a.ja[column][k - 1] = fun1(t, a.p0[column], a.tau0[column], a.ea[column]);
    a.pa[column][k - 1] = funp1(t, a.p0[column], a.tau0[column], a.ea[column]);
  }
}

// The model curves of series s on the current grid, from its stored Ea,
// tau0 and P0 and the constants of the data held; none (an empty output
// range) for a series without results.
void model_from_results(AnalysisState& st, int s) {
  const int c = s - 1;
  if (st.hasresults[c] != 1) {
    st.outfirst[c] = 1;
    st.outlast[c] = 0;
    st.out2first[c] = 1;
    st.out2last[c] = 0;
    return;
  }
  const int ngrid = grid_points(st);
  const double slope = kEaToSlope * st.ea[c];
  const double intercept = std::log10(st.tau0[c]);
  grid_curves(st, s);
  for (int k = 1; k <= ngrid; ++k) st.ltaua[c][k - 1] = slope * st.xout[k - 1] + intercept;
  st.outfirst[c] = 1;
  st.outlast[c] = ngrid;
  st.out2first[c] = 1;
  st.out2last[c] = ngrid;
}

// A failed computation of series s: its pd and ltaud are new, and so are
// the ranges that describe them; its results and model curves stay.
SeriesOutcome failed(AnalysisState& st, int s, int n, int i1, int i2, SeriesOutcome outcome) {
  measured_ranges(st, s - 1, n, i1, i2);
  return outcome;
}

}  // namespace

void takedata(AnalysisState& a, const MeasuredData& data) {
  a.nwej = std::clamp(data.N, 0, kPoints);
  a.area = data.S;
  for (int i = 0; i < a.nwej; ++i) {
    a.tdat[i] = data.T[i];
    a.jdat[i] = data.J[i];
  }
}

void resetranges(AnalysisState& a) {
  const int n = std::clamp(a.nwej, 0, kPoints);
  if (n < 1) return;
  for (int i = 0; i < n; ++i) a.xdat[i] = 1000.0 / a.tdat[i];
  a.calctmin = a.tdat[0];
  a.calctmax = a.tdat[n - 1];
  gridcompute(a);
  if (const int ngrid = grid_points(a); ngrid >= 1) {
    a.xlo3 = a.xout[ngrid - 1];
    a.xhi3 = a.xout[0];
  }
  for (int s = 0; s < AnalysisState::kSeries; ++s) {
    a.tmin[s] = a.tini[s] = a.calctmin;
    a.tmax[s] = a.tlim[s] = a.calctmax;
    // No point of the new data has been fitted yet: a series whose
    // computation fails has no fit range to highlight.
    a.fitfirst[s] = a.fit3first[s] = 1;
    a.fitlast[s] = a.fit3last[s] = 0;
  }
  // A series whose computation on the new data fails keeps its results:
  // its curves go onto the new grid with the new data's b and T0 now, so
  // that none is left on the grid of data no longer held.
  modelrefresh(a);
}

void gridcompute(AnalysisState& a) {
  const int n = grid_points(a);
  if (n < 1) return;
  if (n == 1) {
    // No step to take: the grid is its first end.
    a.tout[0] = a.calctmin;
    a.xout[0] = kScale / a.tout[0];
    return;
  }
  const double step = (a.calctmax - a.calctmin) / (n - 1);
  for (int k = 1; k <= n; ++k) {
    a.tout[k - 1] = a.calctmin + (k - 1) * step;
    a.xout[k - 1] = kScale / a.tout[k - 1];
  }
}

SeriesOutcome seriescompute(AnalysisState& st, int s, SeriesWindow window) {
  if (s < 1 || s > AnalysisState::kSeries) {
    SeriesOutcome out;
    out.ok = false;
    return out;
  }
  const int c = s - 1;
  const int n = measured_points(st);
  std::span<double> pd(st.pd[c]);
  std::span<double> ltaud(st.ltaud[c]);

  // Pd(i) = (1/b) * integral of J from T(i) to tlim, zero outside the limits.
  int i1 = 0;
  int i2 = 0;
  integr(st.tdat, st.jdat, n, st.tini[c], st.tlim[c], kDownwards, st.intmethod[c], pd, i1, i2);
  divdarr(pd, var.b, n);
  for (int i = 1; i <= n; ++i) {
    ltaud[i - 1] = std::log10(pd[i - 1] / st.jdat[i - 1] + kLogFloor);
  }

  // A valid range of fewer than two points cannot hold a line, and its
  // ends need not be points of the data.
  if (i2 - i1 < 1) return failed(st, s, n, i1, i2, too_few_points(s));

  double xa = 0.0;
  double xb = 0.0;
  if (window == SeriesWindow::IntegrationRange) {
    xa = st.xdat[i2 - 1];
    xb = st.xdat[i1 - 1];
  } else {
    xa = kScale / st.tmax[c];
    xb = kScale / st.tmin[c];
  }
  double a = 0.0;
  double bslope = 0.0;
  double sa = 0.0;
  double sb = 0.0;
  double chi2 = 0.0;
  int n1 = 0;
  int n2 = 0;
  fit2(st.xdat, ltaud, xa, xb, i1, i2, a, bslope, sa, sb, chi2, n1, n2);
  if (n2 - n1 < 1) return failed(st, s, n, i1, i2, too_few_points(s));

  // The results are taken only when every one is a number: a current not
  // above 0 in the window, or values so large that a sum overflows, give
  // none, and the series keeps its previous results like any failed one.
  const double tau0 = std::pow(10.0, a);
  const double ea = kSlopeToEa * bslope;
  const double dea = kSlopeToEa * sb;
  const double dtau0 = tau0 * kLn10 * sa;
  for (int i = 1; i <= n; ++i) {
    const double t = st.tdat[i - 1];
    st.ja1[c][i - 1] = fun1(t, kUnitP0, tau0, ea);
    st.pa1[c][i - 1] = funp1(t, kUnitP0, tau0, ea);
  }
  double p0 = 0.0;
  double sj = 0.0;
  double sp = 0.0;
  findp(st.jdat, st.ja1[c], pd, st.pa1[c], n1, n2, i1, n1, n2, st.p0method[c], p0, sj, sp);
  for (const double r : {ea, dea, tau0, dtau0, p0, sp}) {
    if (!std::isfinite(r)) return failed(st, s, n, i1, i2, not_finite(s));
  }

  const int ngrid = grid_points(st);
  for (int k = 1; k <= ngrid; ++k) st.ltaua[c][k - 1] = bslope * st.xout[k - 1] + a;
  st.tau0[c] = tau0;
  st.ea[c] = ea;
  st.dea[c] = dea;
  st.dtau0[c] = dtau0;
  st.p0[c] = p0;
  st.sj[c] = sj;
  st.sp[c] = sp;
  st.hasresults[c] = 1;
  grid_curves(st, s);

  st.fitfirst[c] = n1;
  st.fitlast[c] = n2;
  st.fit3first[c] = n1;
  st.fit3last[c] = n2;
  st.outfirst[c] = 1;
  st.outlast[c] = ngrid;
  st.out2first[c] = 1;
  st.out2last[c] = ngrid;
  measured_ranges(st, c, n, i1, i2);
  return SeriesOutcome{};
}

void modelrefresh(AnalysisState& a) {
  for (int s = 1; s <= AnalysisState::kSeries; ++s) model_from_results(a, s);
}

}  // namespace tsd::varnel1

#include "multipeak/varnel2/varnel2_state.h"

#include "analysis/funcs.h"
#include "analysis/var.h"
#include "multipeak/funcsubr2.h"

namespace tsd::varnel2 {

namespace {

// Q factor of parameter p (0-based) of a vector for m peaks.
double factor_of(const State& s, int p, int m) {
  if (p < m) return s.QJm;
  if (p < 2 * m) return s.QTm;
  return s.QEa;
}

void boxaround(const State& s, int m) {
  for (int p = 0; p < 3 * m; ++p) {
    const double Q = factor_of(s, p, m);
    fitvector.bounds.lower[p] = fitvector.a[p] / Q;
    fitvector.bounds.upper[p] = fitvector.a[p] * Q;
  }
}

int grid_points(const State& s) {
  if (s.Nout < 0) return 0;
  return s.Nout > kMaxOutputGrid ? kMaxOutputGrid : s.Nout;
}

}  // namespace

void buildvector(State& s) {
  int m = 0;
  for (int k = 0; k < kMaxPeaks; ++k)
    if (s.peakon[k] == 1) ++m;
  s.npeaks = m;
  numbers.nparam = 3 * m;
  int j = 0;
  for (int k = 0; k < kMaxPeaks; ++k) {
    if (s.peakon[k] != 1) continue;
    s.peakidx[j] = k + 1;
    fitvector.a[j] = s.Jm[k];
    fitvector.a[m + j] = s.Tm[k];
    fitvector.a[2 * m + j] = s.Ea[k];
    ++j;
  }
  boxaround(s, m);
  for (int k = 0; k < kMaxPeaks; ++k) s.plotflags[k] = s.peakon[k];
  s.plotflags[4] = m >= 2 ? 1 : 0;
}

void rebound(const State& s) { boxaround(s, numbers.nparam / 3); }

void buildgrid(State& s) {
  const int n = grid_points(s);
  double* tout = s.curves.col[0];
  for (int i = 1; i <= n; ++i)
    tout[i - 1] = s.tdmin + (i - 1) * (s.tdmax - s.tdmin) / (s.Nout - 1);
}

void startcurves(State& s) {
  const int n = grid_points(s);
  const double* tout = s.curves.col[0];
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    double* c = s.curves.col[k];
    for (int i = 0; i < n; ++i) c[i] = funcsubr2::fun2(tout[i], s.Jm[k - 1], s.Tm[k - 1], s.Ea[k - 1]);
  }
  double* sum = s.curves.col[5];
  for (int i = 0; i < n; ++i) sum[i] = funca(tout[i], fitvector.a, numbers.nparam);
}

void fitindexrange(const State& s) {
  const int nin = s.Nin > ArraysRecord::capacity ? ArraysRecord::capacity : s.Nin;
  numbers.n1 = 1;
  for (int i = 1; i <= nin; ++i)
    if (arrays.T[i - 1] < s.tfmin - 0.01) numbers.n1 = i + 1;
  numbers.n2 = nin;
  for (int i = nin; i >= 1; --i)
    if (arrays.T[i - 1] > s.tfmax + 0.01) numbers.n2 = i - 1;
}

DataFileStatus loaddata(State& s, std::string_view name) {
  MeasuredData data;
  const DataFileStatus st = readnewdatafile(name, data);
  if (st != DataFileStatus::ok) return st;
  s.Nin = data.N;
  s.area = data.S;
  var.T0 = data.T0;
  var.b = data.b;
  for (int i = 0; i < data.N; ++i) {
    arrays.T[i] = data.T[i];
    arrays.J[i] = data.J[i];
  }
  numbers.n1 = 1;
  numbers.n2 = s.Nin;
  s.tdmin = arrays.T[0];
  s.tdmax = arrays.T[s.Nin - 1];
  buildgrid(s);
  s.tfmin = s.tdmin;
  s.tfmax = s.tdmax;
  s.dataname = std::string(name);
  s.loaded = 1;
  s.fitted = 0;
  startcurves(s);
  // The results of the last fit stay for the tables: their curves go onto
  // the new grid as well.
  fitcurves(s.Nout, s.fit, s.curves);
  return DataFileStatus::ok;
}

}  // namespace tsd::varnel2

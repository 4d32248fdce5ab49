// Sum-of-peaks model, objective, derivatives, curvature matrix, tau0, P0 and
// their propagated errors.
#include "multipeak/funcsubr2.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/funcs.h"
#include "analysis/var.h"
#include "multipeak/records.h"
#include "multipeak/tests/fit_fixture.h"

namespace tsd {
namespace {

using fittest::Peak;

// Two peaks in the layout (Jm1, Jm2, Tm1, Tm2, Ea1, Ea2).
const double kTwo[6] = {2e-12, 5e-12, 260.0, 300.0, 0.8, 1.0};

class Funcsubr2Test : public testing::Test {
 protected:
  void SetUp() override {
    fittest::load_curve({{2e-12, 262, 0.82}, {5e-12, 298, 1.0}}, 120, 1.5);
    numbers.nparam = 6;
  }
};

TEST_F(Funcsubr2Test, FuncaSumsThePeaksInOrder) {
  for (double T : {230.0, 260.0, 281.5, 300.0, 340.0}) {
    SCOPED_TRACE(testing::Message() << "T " << T);
    const double one = funcsubr2::fun2(T, 2e-12, 260.0, 0.8);
    const double two = funcsubr2::fun2(T, 5e-12, 300.0, 1.0);
    EXPECT_EQ(funca(T, kTwo, 6), one + two);
    const double single[3] = {2e-12, 260.0, 0.8};
    EXPECT_EQ(funca(T, single, 3), one) << "one peak is fun2 of that peak";
  }
  // At the maximum of a peak far from the others the sum is about its Jm.
  const double far[6] = {2e-12, 5e-12, 250.0, 390.0, 1.0, 1.0};
  EXPECT_NEAR(funca(250.0, far, 6), 2e-12, 2e-12 * 1e-6);
  EXPECT_EQ(funca(300.0, kTwo, 2), 0.0) << "fewer than 3 parameters";
  EXPECT_TRUE(std::isnan(funca(300.0, kTwo, 13))) << "beyond the vector's capacity";
}

TEST_F(Funcsubr2Test, FuncIsThePlainSumOfSquaresOverTheFitRange) {
  numbers.n1 = 10;
  numbers.n2 = 50;
  double expect = 0.0;
  for (int i = 10; i <= 50; ++i) {
    const double r = arrays.J[i - 1] - funca(arrays.T[i - 1], kTwo, 6);
    expect += r * r;
  }
  EXPECT_EQ(func(kTwo), expect);
  EXPECT_GT(expect, 0.0);

  numbers.n2 = 9;
  EXPECT_EQ(func(kTwo), 0.0) << "an empty range";
  // A range reaching past the capacity is clipped to it.
  numbers.n1 = -5;
  numbers.n2 = 5000;
  expect = 0.0;
  for (int i = 1; i <= ArraysRecord::capacity; ++i) {
    const double r = arrays.J[i - 1] - funca(arrays.T[i - 1], kTwo, 6);
    expect += r * r;
  }
  EXPECT_EQ(func(kTwo), expect);
}

TEST_F(Funcsubr2Test, FuncMatchesTheSumOverFuncaBitForBit) {
  const double vectors[][12] = {
      {5e-12, 298.0, 1.0},
      {2e-12, 5e-12, 260.0, 300.0, 0.8, 1.0},
      {2e-12, 5e-12, 3e-12, 1e-12, 262, 298, 316, 368, 0.82, 1.0, 1.1, 1.3},
      {0.0, 5e-12, 3e-12, 1e-12, 262, 298, 316, 368, 0.82, 1.0, 1.1, 1.3},
      {1e-9, 1e-15, 3e-12, 1e-12, 230, 410, 316, 250, 0.3, 2.0, 1.1, 0.6},
  };
  const int sizes[] = {3, 6, 12, 12, 12};
  for (int v = 0; v < 5; ++v) {
    SCOPED_TRACE(testing::Message() << "vector " << v + 1);
    numbers.nparam = sizes[v];
    numbers.n1 = 1;
    numbers.n2 = 120;
    double expect = 0.0;
    for (int i = 1; i <= 120; ++i) {
      const double r = arrays.J[i - 1] - funca(arrays.T[i - 1], vectors[v], sizes[v]);
      expect += r * r;
    }
    EXPECT_EQ(func(vectors[v]), expect);
  }
}

TEST_F(Funcsubr2Test, DerivativeTakesThePeakAndKindOfTheParameter) {
  const double T = 285.0;
  // Which peak (0-based) and which kind (0 Jm, 1 Tm, 2 Ea) each j is.
  const int peak[6] = {0, 1, 0, 1, 0, 1};
  const int kind[6] = {0, 0, 1, 1, 2, 2};
  for (int j = 1; j <= 6; ++j) {
    SCOPED_TRACE(testing::Message() << "j " << j);
    const int p = peak[j - 1];
    double par[3] = {kTwo[p], kTwo[2 + p], kTwo[4 + p]};
    const double h = kTwo[j - 1] * 1e-5;
    const double c = par[kind[j - 1]];
    par[kind[j - 1]] = c + 0.5 * h;
    const double up = funcsubr2::fun2(T, par[0], par[1], par[2]);
    par[kind[j - 1]] = c - 0.5 * h;
    const double down = funcsubr2::fun2(T, par[0], par[1], par[2]);
    EXPECT_EQ(dfunca(T, kTwo, j, 6), (up - down) / h);
  }
  // Against independent estimates: fun2 is linear in Jm; a wider central
  // difference for Tm and Ea.
  EXPECT_NEAR(dfunca(T, kTwo, 1, 6), funcsubr2::fun2(T, 1.0, 260.0, 0.8),
              1e-6 * std::fabs(funcsubr2::fun2(T, 1.0, 260.0, 0.8)));
  const double hT = 1e-3;
  const double dT =
      (funcsubr2::fun2(T, 5e-12, 300.0 + hT, 1.0) - funcsubr2::fun2(T, 5e-12, 300.0 - hT, 1.0)) /
      (2 * hT);
  EXPECT_NEAR(dfunca(T, kTwo, 4, 6), dT, 1e-4 * std::fabs(dT));
}

TEST_F(Funcsubr2Test, DerivativeBadInput) {
  double zero[6] = {2e-12, 0.0, 260.0, 300.0, 0.8, 1.0};
  EXPECT_EQ(dfunca(285.0, zero, 2, 6), 0.0) << "a parameter of 0 has no relative step";
  EXPECT_TRUE(std::isfinite(dfunca(285.0, zero, 4, 6)));
  EXPECT_TRUE(std::isnan(dfunca(285.0, kTwo, 0, 6)));
  EXPECT_TRUE(std::isnan(dfunca(285.0, kTwo, 7, 6)));
  EXPECT_TRUE(std::isnan(dfunca(285.0, kTwo, 1, 2)));
  EXPECT_TRUE(std::isnan(dfunca(285.0, kTwo, 1, 15)));
}

TEST_F(Funcsubr2Test, CurvatureMatrixBothFormsAgreeBitForBit) {
  const double four[12] = {2e-12, 5e-12, 3e-12, 1e-12, 262, 298, 316, 368, 0.82, 1.0, 1.1, 1.3};
  for (int n : {3, 6, 12}) {
    SCOPED_TRACE(testing::Message() << "nparam " << n);
    numbers.nparam = n;
    numbers.n1 = 5;
    numbers.n2 = 110;
    double p[12];
    const int m = n / 3;
    for (int j = 0; j < m; ++j) {  // the first m peaks of `four`, re-laid out
      p[j] = four[j];
      p[m + j] = four[4 + j];
      p[2 * m + j] = four[8 + j];
    }
    const double* a = p;
    double A[144], B[144];
    for (int i = 0; i < 144; ++i) A[i] = B[i] = -1.0;
    setupalpha(a, 3.5e-25, A);
    setupalpha_per_element(a, 3.5e-25, B);
    for (int j = 1; j <= 12; ++j)
      for (int k = 1; k <= 12; ++k) {
        const int at = (j - 1) * 12 + (k - 1);
        if (j <= n && k <= n) {
          EXPECT_EQ(A[at], B[at]) << "element " << k << "," << j;
        } else {
          EXPECT_EQ(A[at], -1.0) << "outside the block " << k << "," << j;
          EXPECT_EQ(B[at], -1.0) << "outside the block " << k << "," << j;
        }
      }
    // One element against its definition, s2 = (1e-100 + S)/(n2 - n1).
    double sum = 0.0;
    for (int i = 5; i <= 110; ++i)
      sum += dfunca(arrays.T[i - 1], a, 1, n) * dfunca(arrays.T[i - 1], a, n, n);
    EXPECT_EQ(A[(n - 1) * 12], sum * (1.0 / ((1e-100 + 3.5e-25) / 105)));
    EXPECT_EQ(A[(n - 1) * 12], A[n - 1]) << "symmetric";
  }
}

TEST_F(Funcsubr2Test, CurvatureMatrixOnePointAndZeroResidual) {
  numbers.nparam = 3;
  numbers.n1 = numbers.n2 = 40;
  const double a[3] = {5e-12, 298.0, 1.0};
  double A[144] = {};
  setupalpha(a, 0.0, A);
  const double d = dfunca(arrays.T[39], a, 2, 3);
  EXPECT_EQ(A[1 * 12 + 1], d * d * (1.0 / 1e-100)) << "one point: s2 = 1e-100 + S";
  EXPECT_TRUE(std::isfinite(A[0]));

  numbers.nparam = 13;
  double untouched[144];
  for (double& v : untouched) v = 7.0;
  setupalpha(a, 1.0, untouched);
  EXPECT_EQ(untouched[0], 7.0) << "more than 12 parameters: nothing written";
}

TEST_F(Funcsubr2Test, Tau0AndP0PutTheMaximumAtTm) {
  const Peak peaks[] = {{2e-12, 260, 0.8}, {5e-12, 300, 1.0}, {1e-9, 410, 1.6}};
  for (const Peak& p : peaks) {
    SCOPED_TRACE(testing::Message() << "Tm " << p.Tm << " Ea " << p.Ea);
    const double k = 8.617063576821238e-05;
    const double tau0 = ftau0(p.Tm, p.Ea);
    EXPECT_EQ(tau0, (k * p.Tm) * p.Tm * std::exp(-p.Ea / (k * p.Tm)) / (p.Ea * var.b));
    const double P0 = fp0(p.Jm, p.Tm, p.Ea);
    EXPECT_NEAR(fun1(p.Tm, P0, tau0, p.Ea), p.Jm, p.Jm * 1e-12);
    EXPECT_LT(fun1(p.Tm - 0.5, P0, tau0, p.Ea), p.Jm);
    EXPECT_LT(fun1(p.Tm + 0.5, P0, tau0, p.Ea), p.Jm);
  }
}

TEST_F(Funcsubr2Test, ErrorPropagation) {
  const double Jm = 5e-12, Tm = 300.0, Ea = 1.0;
  double st = -1, sp = -1;
  errcalc(Jm, 0, Tm, 0, Ea, 0, st, sp);
  EXPECT_EQ(st, 0.0);
  EXPECT_EQ(sp, 0.0);

  // Only an error of Tm: stau0 = |dtau0/dTm|*sTm, checked by a wider difference.
  errcalc(Jm, 0, Tm, 0.5, Ea, 0, st, sp);
  const double dtau = (ftau0(Tm + 0.01, Ea) - ftau0(Tm - 0.01, Ea)) / 0.02;
  EXPECT_NEAR(st, std::fabs(dtau) * 0.5, 1e-4 * std::fabs(dtau) * 0.5);
  // Only an error of Jm: P0 is proportional to Jm.
  errcalc(Jm, 1e-13, Tm, 0, Ea, 0, st, sp);
  EXPECT_EQ(st, 0.0);
  EXPECT_NEAR(sp, fp0(Jm, Tm, Ea) / Jm * 1e-13, 1e-6 * fp0(Jm, Tm, Ea) / Jm * 1e-13);
  // All three add in quadrature.
  double s1, p1, s2, p2, s3, p3, sall, pall;
  errcalc(Jm, 1e-13, Tm, 0, Ea, 0, s1, p1);
  errcalc(Jm, 0, Tm, 0.5, Ea, 0, s2, p2);
  errcalc(Jm, 0, Tm, 0, Ea, 0.01, s3, p3);
  errcalc(Jm, 1e-13, Tm, 0.5, Ea, 0.01, sall, pall);
  EXPECT_NEAR(sall, std::sqrt(s2 * s2 + s3 * s3), 1e-12 * sall);
  EXPECT_NEAR(pall, std::sqrt(p1 * p1 + p2 * p2 + p3 * p3), 1e-12 * pall);

  // A peak height of 0 has no relative step: no 0/0.
  errcalc(0.0, 0.0, Tm, 0.5, Ea, 0.01, st, sp);
  EXPECT_TRUE(std::isfinite(st));
  EXPECT_TRUE(std::isfinite(sp));
}

}  // namespace
}  // namespace tsd

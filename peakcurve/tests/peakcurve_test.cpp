// The curve programs' peak: tau0 and P0 from the maximum, grid, curves, maxima.
#include "peakcurve/peakcurve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/funcs.h"
#include "analysis/var.h"

namespace tsd::peakcurve {
namespace {

class PeakcurveTest : public testing::Test {
 protected:
  void SetUp() override {
    var.T0 = 200.0;
    var.b = 0.1;
  }
};

TEST_F(PeakcurveTest, DerivationUsesItsOwnBoltzmannConstant) {
  PeakState s;
  s.Ea = 1.0;
  s.Tm = 300.0;
  s.Jm = 5e-12;
  ASSERT_TRUE(derivetau0p0(s));
  const double k = 8.6170637e-05;
  const double tau0 = k * 300.0 * 300.0 * std::exp(-1.0 / (k * 300.0)) / (0.1 * 1.0);
  EXPECT_EQ(s.tau0, tau0);
  EXPECT_EQ(s.P0, tau0 * 5e-12 / fun(300.0, tau0, 1.0));
  // The constant differs from the model's by 5e-9 relative; the exponent
  // Ea/(k*Tm) of about 39 makes that some 2e-7 in tau0.
  const double km = 8.617063576821238e-05;
  const double tau0_model = km * 300.0 * 300.0 * std::exp(-1.0 / (km * 300.0)) / (0.1 * 1.0);
  EXPECT_NE(s.tau0, tau0_model);
  EXPECT_NEAR(s.tau0, tau0_model, 1e-6 * tau0_model);
  // The model current at Tm is Jm.
  EXPECT_NEAR(fun1(s.Tm, s.P0, s.tau0, s.Ea), s.Jm, 1e-12 * s.Jm);
}

TEST_F(PeakcurveTest, DerivationRefusesDivisionByZero) {
  struct Case {
    const char* name;
    double Ea, Tm, b;
  };
  const Case cases[] = {{"Ea 0", 0.0, 300, 0.1}, {"Tm 0", 1.0, 0, 0.1}, {"b 0", 1.0, 300, 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    var.b = c.b;
    PeakState s;
    s.Ea = c.Ea;
    s.Tm = c.Tm;
    s.Jm = 1e-12;
    s.tau0 = 7.0;
    s.P0 = 8.0;
    EXPECT_FALSE(derivetau0p0(s));
    EXPECT_EQ(s.tau0, 7.0);
    EXPECT_EQ(s.P0, 8.0);
  }
}

TEST_F(PeakcurveTest, GridCurvesAndMaxima) {
  PeakState s;
  s.Ea = 1.0;
  s.tau0 = 1e-15;
  s.P0 = 1e-9;
  s.Tmin = 220.0;
  s.Tmax = 380.0;
  s.Nout = 161;
  ASSERT_TRUE(peakcurves(s));
  const double step = (380.0 - 220.0) / 160;
  double jmax = s.Ja[0], pmax = s.Pa[0];
  for (int i = 1; i <= 161; ++i) {
    SCOPED_TRACE(testing::Message() << "point " << i);
    EXPECT_EQ(s.Ta[i - 1], 220.0 + (i - 1) * step);
    EXPECT_EQ(s.Ja[i - 1], fun1(s.Ta[i - 1], 1e-9, 1e-15, 1.0));
    EXPECT_EQ(s.Pa[i - 1], funp1(s.Ta[i - 1], 1e-9, 1e-15, 1.0));
    jmax = std::max(jmax, s.Ja[i - 1]);
    pmax = std::max(pmax, s.Pa[i - 1]);
  }
  EXPECT_NEAR(s.Ta[160], 380.0, 1e-12);
  EXPECT_EQ(s.Jamax, jmax);
  EXPECT_EQ(s.Pamax, pmax);
  EXPECT_GT(s.Jamax, s.Ja[0]) << "the peak lies inside the grid";
  EXPECT_EQ(s.Pamax, s.Pa[0]) << "the polarisation only falls";
}

TEST_F(PeakcurveTest, TwoPointGridAndFallingCurve) {
  PeakState s;
  s.Ea = 1.0;
  s.tau0 = 1e-15;
  s.P0 = 1e-9;
  s.Tmin = 330.0;  // above the maximum: the current only falls
  s.Tmax = 400.0;
  s.Nout = 2;
  ASSERT_TRUE(peakcurves(s));
  EXPECT_EQ(s.Ta[0], 330.0);
  EXPECT_EQ(s.Ta[1], 400.0);
  EXPECT_EQ(s.Jamax, s.Ja[0]);
  EXPECT_GT(s.Ja[0], s.Ja[1]);
}

TEST_F(PeakcurveTest, Mokrin2PeakHasItsMaximumAtTm) {
  PeakState s;
  s.Ea = 1.2;
  s.Tm = 320.0;
  s.Jm = 2e-12;
  ASSERT_TRUE(derivetau0p0(s));
  s.Tmin = 300.0;
  s.Tmax = 340.0;
  s.Nout = 401;  // a point every 0.1 K, Tm on the grid
  ASSERT_TRUE(peakcurves(s));
  EXPECT_NEAR(s.Jamax, 2e-12, 2e-12 * 1e-6);
  EXPECT_NEAR(s.Ja[200], 2e-12, 2e-12 * 1e-9);
}

TEST_F(PeakcurveTest, GridSizeOutsideCapacityRefused) {
  for (int n : {1, 0, -4, 801}) {
    SCOPED_TRACE(testing::Message() << "Nout " << n);
    PeakState s;
    s.Ea = 1.0;
    s.tau0 = 1e-15;
    s.P0 = 1e-9;
    s.Tmin = 220.0;
    s.Tmax = 380.0;
    s.Nout = n;
    s.Jamax = -1.0;
    EXPECT_FALSE(peakcurves(s));
    EXPECT_EQ(s.Jamax, -1.0);
    EXPECT_EQ(s.Ta[0], 0.0);
  }
}

}  // namespace
}  // namespace tsd::peakcurve

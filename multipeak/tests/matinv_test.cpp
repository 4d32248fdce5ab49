// LU decomposition, substitution and inversion of small column-major matrices.
#include "multipeak/matinv.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace tsd {
namespace {

constexpr int kNp = 12;
using Mat = std::array<double, kNp * kNp>;

double& el(Mat& m, int i, int j) { return m[(j - 1) * kNp + (i - 1)]; }

// A matrix from rows given top to bottom, in the n x n block of a 12 x 12 store.
Mat from_rows(const std::vector<std::vector<double>>& rows) {
  Mat m{};
  for (size_t i = 0; i < rows.size(); ++i)
    for (size_t j = 0; j < rows[i].size(); ++j) el(m, int(i) + 1, int(j) + 1) = rows[i][j];
  return m;
}

// Largest deviation of A * B from the identity on the n x n block.
double identity_error(Mat A, Mat B, int n) {
  double worst = 0.0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      double s = 0.0;
      for (int k = 1; k <= n; ++k) s += el(A, i, k) * el(B, k, j);
      worst = std::max(worst, std::fabs(s - (i == j ? 1.0 : 0.0)));
    }
  return worst;
}

TEST(MatinvInverse, IdentityAndDiagonal) {
  Mat I = from_rows({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  Mat inv = I;
  int ier = 0;
  matinv(inv.data(), 3, kNp, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_EQ(inv, I) << "the identity comes back unchanged";

  Mat D = from_rows({{2, 0, 0}, {0, -4, 0}, {0, 0, 0.5}});
  matinv(D.data(), 3, kNp, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_DOUBLE_EQ(el(D, 1, 1), 0.5);
  EXPECT_DOUBLE_EQ(el(D, 2, 2), -0.25);
  EXPECT_DOUBLE_EQ(el(D, 3, 3), 2.0);
  EXPECT_EQ(el(D, 1, 2), 0.0);
  EXPECT_EQ(el(D, 3, 1), 0.0);
}

TEST(MatinvInverse, FullCapacityTwelveByTwelve) {
  Mat A{};
  for (int i = 1; i <= 12; ++i)
    for (int j = 1; j <= 12; ++j)
      el(A, i, j) = i == j ? 10.0 + i : std::sin(double(i * 13 + j * 7)) * 3.0;
  Mat inv = A;
  int ier = 0;
  matinv(inv.data(), 12, kNp, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_LT(identity_error(A, inv, 12), 1e-13);
  EXPECT_LT(identity_error(inv, A, 12), 1e-13);
}

TEST(MatinvInverse, OneByOne) {
  Mat A{};
  el(A, 1, 1) = 8.0;
  int ier = 0;
  matinv(A.data(), 1, kNp, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_EQ(el(A, 1, 1), 0.125);

  Mat Z{};
  el(Z, 2, 2) = 7.0;  // outside the 1 x 1 block
  const Mat before = Z;
  matinv(Z.data(), 1, kNp, ier);
  EXPECT_EQ(ier, kLuZeroRow) << "a(1,1) = 0 is a zero row";
  EXPECT_EQ(Z, before);
}

TEST(MatinvInverse, ZeroRowLeavesMatrixUnchanged) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> rows;
  };
  const Case cases[] = {
      {"first row zero", {{0, 0, 0}, {1, 2, 3}, {4, 5, 7}}},
      {"last row zero", {{1, 2, 3}, {4, 5, 7}, {0, 0, 0}}},
      {"middle row zero", {{1, 2, 3}, {0, 0, 0}, {4, 5, 7}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Mat A = from_rows(c.rows);
    const Mat before = A;
    int ier = 0;
    matinv(A.data(), 3, kNp, ier);
    EXPECT_EQ(ier, kLuZeroRow);
    EXPECT_EQ(A, before);

    std::array<int, 3> indx{};
    double d = 0.0;
    ludcmp(A.data(), 3, kNp, indx.data(), d, ier);
    EXPECT_EQ(ier, kLuZeroRow);
    EXPECT_EQ(A, before);
  }
}

TEST(MatinvPivot, LowerRowWinsTie) {
  // Row scales 1 and 1/2: both scaled candidates of column 1 are 1.
  Mat A = from_rows({{1, 0}, {2, 1}});
  std::array<int, 2> indx{};
  double d = 0.0;
  int ier = 0;
  ludcmp(A.data(), 2, kNp, indx.data(), d, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_EQ(indx[0], 2) << "the lower row of a tie becomes the pivot";
  EXPECT_EQ(indx[1], 2);
  EXPECT_EQ(d, -1.0);
  // Factors of the permuted matrix [[2,1],[1,0]]: L21 = 0.5, U = [[2,1],[0,-0.5]].
  EXPECT_EQ(el(A, 1, 1), 2.0);
  EXPECT_EQ(el(A, 1, 2), 1.0);
  EXPECT_EQ(el(A, 2, 1), 0.5);
  EXPECT_EQ(el(A, 2, 2), -0.5);

  // Without the tie the upper row keeps the pivot.
  Mat B = from_rows({{1, 0}, {1, 2}});
  ludcmp(B.data(), 2, kNp, indx.data(), d, ier);
  EXPECT_EQ(indx[0], 1);
  EXPECT_EQ(d, 1.0);
}

TEST(MatinvPivot, ZeroColumnPicksLastRowAndTinyPivot) {
  // Column 1 is zero from row 1 down; no row is zero. Row n becomes the pivot
  // and the zero pivot is replaced by 1e-20, so the "inverse" is huge.
  Mat A = from_rows({{0, 1, 0}, {0, 0, 1}, {0, 1, 1}});
  Mat lu = A;
  std::array<int, 3> indx{};
  double d = 0.0;
  int ier = 0;
  ludcmp(lu.data(), 3, kNp, indx.data(), d, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_EQ(indx[0], 3);
  EXPECT_EQ(el(lu, 1, 1), 1e-20);

  matinv(A.data(), 3, kNp, ier);
  EXPECT_EQ(ier, kLuDone) << "a singular matrix without a zero row is not reported";
  double largest = 0.0;
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) largest = std::max(largest, std::fabs(el(A, i, j)));
  EXPECT_GT(largest, 1e19);
}

TEST(MatinvSubstitution, SolvesWithLeadingZerosInRightHandSide) {
  Mat A = from_rows({{4, 1, 2}, {1, 5, 1}, {2, 1, 6}});
  const Mat orig = A;
  std::array<int, 3> indx{};
  double d = 0.0;
  int ier = 0;
  ludcmp(A.data(), 3, kNp, indx.data(), d, ier);
  ASSERT_EQ(ier, kLuDone);
  const double rhs[][3] = {{0, 0, 1}, {0, 1, 0}, {1, 2, 3}};
  for (const auto& r : rhs) {
    SCOPED_TRACE(testing::Message() << "b = " << r[0] << " " << r[1] << " " << r[2]);
    double b[3] = {r[0], r[1], r[2]};
    lubksb(A.data(), 3, kNp, indx.data(), b);
    for (int i = 1; i <= 3; ++i) {
      Mat o = orig;
      double s = 0.0;
      for (int k = 1; k <= 3; ++k) s += el(o, i, k) * b[k - 1];
      EXPECT_NEAR(s, r[i - 1], 1e-14) << "row " << i;
    }
  }
}

TEST(MatinvBlock, LeadingDimensionAndBadOrders) {
  // A 2 x 2 block inside a 12 x 12 store: the rest of the store is untouched.
  Mat A{};
  for (double& v : A) v = 99.0;
  el(A, 1, 1) = 2;
  el(A, 1, 2) = 1;
  el(A, 2, 1) = 1;
  el(A, 2, 2) = 1;
  int ier = 0;
  matinv(A.data(), 2, kNp, ier);
  EXPECT_EQ(ier, kLuDone);
  EXPECT_DOUBLE_EQ(el(A, 1, 1), 1.0);
  EXPECT_DOUBLE_EQ(el(A, 1, 2), -1.0);
  EXPECT_DOUBLE_EQ(el(A, 2, 1), -1.0);
  EXPECT_DOUBLE_EQ(el(A, 2, 2), 2.0);
  EXPECT_EQ(el(A, 3, 1), 99.0);
  EXPECT_EQ(el(A, 1, 3), 99.0);
  EXPECT_EQ(el(A, 12, 12), 99.0);

  // Orders the routines cannot hold are refused without touching anything.
  struct Case {
    int n, np, expect;
  };
  const Case cases[] = {
      {13, 13, kLuZeroRow}, {3, 2, kLuZeroRow}, {-1, 12, kLuZeroRow}, {0, 12, kLuDone}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "n " << c.n << " np " << c.np);
    std::vector<double> M(13 * 13, 3.0);
    const std::vector<double> before = M;
    matinv(M.data(), c.n, c.np, ier);
    EXPECT_EQ(ier, c.expect);
    EXPECT_EQ(M, before);
  }
}

}  // namespace
}  // namespace tsd

// Inversion of a small square matrix by LU decomposition (Crout's method with
// partial pivoting and implicit row scaling), used on the curvature matrix of
// the multi-peak fit.
//
// Matrices are stored column after column with leading dimension np: element
// (i, j), 1-based, is at a[(j - 1) * np + (i - 1)]. Only the n x n top-left
// block is used; n may not exceed kMaxOrder.
#pragma once

namespace tsd {

inline constexpr int kMaxOrder = 12;  // largest matrix order handled

// Status values of ludcmp and matinv.
inline constexpr int kLuDone = 1;
inline constexpr int kLuZeroRow = -1;  // also: order outside 0..min(12, np); matrix unchanged

// LU decomposition of a in place. indx (n entries) receives, for step j, the
// 1-based row swapped with row j; d is +1 or -1 for an even or odd number of
// interchanges. ier: kLuDone, or kLuZeroRow when a row is all zeros, in which
// case a is not changed.
void ludcmp(double* a, int n, int np, int* indx, double& d, int& ier);

// Solves a x = b for one right-hand side with the factors left by ludcmp;
// x replaces b (n entries).
void lubksb(const double* a, int n, int np, const int* indx, double* b);

// Replaces the n x n block of A by its inverse. ier as from ludcmp; on
// kLuZeroRow A is left exactly as it came in.
void matinv(double* A, int n, int np, int& ier);

}  // namespace tsd

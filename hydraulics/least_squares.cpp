#include "hydraulics/least_squares.h"

#include <cmath>

namespace plamor::hydraulics {
namespace {

// A column this much smaller after removing the columns before it than it was
// holds nothing of its own.
constexpr double kDependentColumn = 1e-10;

double Dot(const double* u, const double* v, std::size_t n) {
  double s = 0;
  for (std::size_t i = 0; i < n; ++i) s += u[i] * v[i];
  return s;
}

}  // namespace

LeastSquaresSolution SolveLeastSquares(ColumnMatrix& a, std::vector<double>& y) {
  const std::size_t n = a.rows, p = a.cols;
  LeastSquaresSolution solution;
  if (n < p) return solution;
  std::vector<double> diagonal(p);
  for (std::size_t j = 0; j < p; ++j) {
    double* col = a.column(j);
    const double size = std::sqrt(Dot(col, col, n));
    const double rest = std::sqrt(Dot(col + j, col + j, n - j));
    if (!(rest > kDependentColumn * size)) {
      solution.singularColumn = j;
      return solution;
    }
    // Householder reflection taking col[j..n) onto alpha e_j.
    const double alpha = col[j] > 0 ? -rest : rest;
    col[j] -= alpha;
    const double vv = Dot(col + j, col + j, n - j);
    for (std::size_t k = j + 1; k < p; ++k) {
      double* other = a.column(k);
      const double f = 2 * Dot(col + j, other + j, n - j) / vv;
      for (std::size_t i = j; i < n; ++i) other[i] -= f * col[i];
    }
    const double f = 2 * Dot(col + j, y.data() + j, n - j) / vv;
    for (std::size_t i = j; i < n; ++i) y[i] -= f * col[i];
    diagonal[j] = alpha;
  }
  solution.x.assign(p, 0);
  for (std::size_t j = p; j-- > 0;) {
    double s = y[j];
    for (std::size_t k = j + 1; k < p; ++k) s -= a.at(j, k) * solution.x[k];
    solution.x[j] = s / diagonal[j];
  }
  return solution;
}

}  // namespace plamor::hydraulics

// Linear least squares by Householder QR: the small dense systems of the
// rating-curve fits (thousands of rows, a handful of columns), solved without
// forming the normal equations, so that stages far from zero or nearly equal
// lose no more digits than the data hold.
#pragma once

#include <cstddef>
#include <vector>

namespace plamor::hydraulics {

// A column-major matrix of `rows` x `cols`.
struct ColumnMatrix {
  std::size_t rows = 0, cols = 0;
  std::vector<double> values;  // column j at [j * rows, (j + 1) * rows)
  ColumnMatrix(std::size_t r, std::size_t c) : rows(r), cols(c), values(r * c) {}
  double& at(std::size_t row, std::size_t col) { return values[col * rows + row]; }
  double* column(std::size_t col) { return values.data() + col * rows; }
};

struct LeastSquaresSolution {
  std::vector<double> x;  // empty when the system is singular
  // The first column that depends on the columns before it (within the
  // rounding of its own size); meaningful when x is empty.
  std::size_t singularColumn = 0;
};

// Minimises |A x - y|. A and y are overwritten.
LeastSquaresSolution SolveLeastSquares(ColumnMatrix& a, std::vector<double>& y);

}  // namespace plamor::hydraulics

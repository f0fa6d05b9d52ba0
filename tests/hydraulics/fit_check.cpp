// hydraulics-fit-check TABLE.csv [sqrt|q] [SPLITS]: fits the formula to a
// measurement table and prints the formula file's text, for the test that
// checks the fit against an independent solver. A fit that cannot be made
// prints its message to standard error and exits with 1.
#include <iostream>
#include <string>

#include "hydraulics/rating_fit.h"
#include "survey/hq_table.h"

int main(int argc, char** argv) {
  using namespace plamor::hydraulics;
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: hydraulics-fit-check TABLE.csv [sqrt|q] [SPLIT,...]\n";
    return 2;
  }
  try {
    RatingFitOptions options;
    if (argc > 2 && !ParseFitMethod(argv[2], options.method)) throw std::invalid_argument("unknown method");
    if (argc > 3) options.splits = ParseSplits(argv[3]);
    const RatingFit fit = FitRating(plamor::survey::ReadHqTable(argv[1]), options);
    std::cout << FormulaJson(fit.formula);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

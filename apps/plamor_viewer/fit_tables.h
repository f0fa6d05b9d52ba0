// The H-Q fit as two small tables beside the chart: per segment the stage
// range, a, b, the number of measurements, the standard error and r²; per
// measurement its label, stage and discharge, and with a fit its segment,
// fitted discharge, deviation and the outlier flag. Measurements left out
// of the fit are marked and greyed.
#pragma once

#include <string>
#include <vector>

class QTableWidget;

namespace plamor::survey {
struct HqTable;
}
namespace plamor::hydraulics {
struct RatingFit;
}

namespace plamor::viewer {

// `fit` nullptr empties the table.
void ShowSegments(QTableWidget& table, const hydraulics::RatingFit* fit);
// Every measurement of `hq`, those labelled in `excluded` marked; the fitted
// columns stay empty without a fit.
void ShowMeasurements(QTableWidget& table, const survey::HqTable& hq, const std::vector<std::string>& excluded,
                      const hydraulics::RatingFit* fit);

}  // namespace plamor::viewer

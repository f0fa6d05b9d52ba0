// The range of distances (Kyori) and elevations (Suisin) of cross-section
// points: what an observation holds, and what the cross-section chart shows
// of all its observations.
#pragma once

namespace plamor::charts {

class SectionRange {
 public:
  double KyoriMax() const { return kyoriMax_; }
  void SetKyoriMax(double v) { kyoriMax_ = v; }
  double KyoriMin() const { return kyoriMin_; }
  void SetKyoriMin(double v) { kyoriMin_ = v; }
  double SuisinMax() const { return suisinMax_; }
  void SetSuisinMax(double v) { suisinMax_ = v; }
  double SuisinMin() const { return suisinMin_; }
  void SetSuisinMin(double v) { suisinMin_ = v; }

 protected:
  double kyoriMax_ = 0, kyoriMin_ = 0, suisinMax_ = 0, suisinMin_ = 0;
};

}  // namespace plamor::charts

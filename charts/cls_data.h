// One sounding observation of a river cross-section: its points (distance
// across the section, bed elevation, the two depth readings), the water
// surface, the observation number and date, and whether it is selected for
// drawing. Built from the host's text lines by SetData.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "charts/host_date.h"
#include "charts/section_range.h"

namespace plamor::charts {

class clsData : public SectionRange {
 public:
  clsData();
  ~clsData();

  const std::string& KansokuNo() const { return kansokuNo_; }
  void SetKansokuNo(std::string v) { kansokuNo_ = std::move(v); }
  const HostDate& KansokuDate() const { return kansokuDate_; }
  void SetKansokuDate(const HostDate& v) { kansokuDate_ = v; }
  bool OnOff() const { return onOff_; }
  void SetOnOff(bool v) { onOff_ = v; }

  // Builds the observation from the host's lines (elements 0, 2, 3, 4 and 11
  // are read). A missing line is a subscript-out-of-range error, a date that
  // cannot be read a type-mismatch error; either leaves the object unchanged.
  void SetData(const std::vector<std::string>& Data);

  // Number of points n.
  std::int32_t Count() const { return count_; }

  // Element Index of the arrays (0..upper bound, not checked against n):
  // Kyori(0) is n, Suisin(0) the water surface. An index outside the bounds
  // is a subscript-out-of-range error.
  double Kyori(std::int32_t Index) const;
  double Suisin(std::int32_t Index) const;
  double SuisinO(std::int32_t Index) const;
  double SuisinF(std::int32_t Index) const;

  // Upper bound of the four arrays (100, 200, ...).
  std::int32_t UpperBound() const { return static_cast<std::int32_t>(kyori_.size()) - 1; }

  // Resets arrays, ranges and count; number "0", date now. OnOff is kept.
  void Clear();

 private:
  void ResetArrays();
  void GrowArrays();

  std::string kansokuNo_;
  HostDate kansokuDate_;
  bool onOff_ = false;
  std::int32_t count_ = 0;
  std::vector<double> kyori_, suisin_, suisinO_, suisinF_;
};

}  // namespace plamor::charts

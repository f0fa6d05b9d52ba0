// The cross-section chart: the list of observations, the chart ranges derived
// from them, and the drawing of selected observations (bed profile, walls,
// water surface, frame, dotted grid with labels, title and axis captions)
// onto a picture area.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "charts/cls_data.h"
#include "charts/section_range.h"

namespace plamor::charts {

class Picture;

class DanmenChart : public SectionRange {
 public:
  // Points an observation may have to be drawn.
  static constexpr std::int32_t kMaxPoints = 2000;

  explicit DanmenChart(Picture& picture);
  ~DanmenChart();


  // Adds one observation built from the host's lines, recomputes and rounds
  // the ranges over all observations, and erases the picture. On an error
  // nothing is added and nothing changes.
  void SetData(const std::vector<std::string>& Data);

  // Clears and removes every observation; ranges, texts and picture stay.
  void Clear();
  // Erases the picture and draws every selected observation in list order.
  void Redisp();
  // Selects (DataNo >= 1) or deselects observation |DataNo| and draws it, in
  // its colour or, to hide it, in white.
  void DanmenZu(std::int32_t DataNo);

  std::int32_t Count() const { return static_cast<std::int32_t>(observations_.size()); }
  // KansokuNo of observation Index (1..Count); other numbers are a subscript-out-of-range error.
  std::string KansokuNo(std::int32_t Index) const { return Observation(Index).KansokuNo(); }

  // Observation Index (1..Count), as the drawing output reads it.
  clsData& Observation(std::int32_t Index);
  const clsData& Observation(std::int32_t Index) const;

  const std::string& TitleText() const { return title_; }
  const std::string& BaseLevelCaption() const { return baseCaption_; }

 private:
  Picture& picture_;
  std::vector<std::unique_ptr<clsData>> observations_;
  std::string title_;
  std::string baseCaption_;
};

}  // namespace plamor::charts

// The stage-discharge (H-Q) chart: the measurement table of one gauging
// station, the axis ranges and names, and the drawing of one chart kind (the
// stage against Q, A, B, V or the root of Q) onto a picture area.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plamor::charts {

class Picture;

// Chart kinds and range indices.
enum TBunpuKind : std::int16_t { kKindQ = 0, kKindA = 1, kKindB = 2, kKindV = 3, kKindSQ = 4, kKindStage = 5 };

class TBunpuChart {
 public:
  // Columns of the quantity table: Q, A, B, V, root of Q.
  static constexpr int kQuantities = 5;

  explicit TBunpuChart(Picture& picture);

  const std::string& KansokujyoNo() const { return kansokujyoNo_; }
  void SetKansokujyoNo(std::string v) { kansokujyoNo_ = std::move(v); }
  std::int32_t Seireki() const { return seireki_; }
  void SetSeireki(std::int32_t v) { seireki_ = v; }
  const std::string& KansokujyoMei() const { return kansokujyoMei_; }
  void SetKansokujyoMei(std::string v) { kansokujyoMei_ = std::move(v); }
  const std::string& SuikeiMei() const { return suikeiMei_; }
  void SetSuikeiMei(std::string v) { suikeiMei_ = std::move(v); }
  const std::string& KasenMei() const { return kasenMei_; }
  void SetKasenMei(std::string v) { kasenMei_ = std::move(v); }

  // Range minimum and maximum of kind 0..5 (5 the stage); other indices are a
  // subscript-out-of-range error.
  double RangeMin(int kind) const;
  double RangeMax(int kind) const;
  void SetRangeMin(int kind, double v);
  void SetRangeMax(int kind, double v);

  double QMin() const { return RangeMin(kKindQ); }
  void SetQMin(double v) { SetRangeMin(kKindQ, v); }
  double QMax() const { return RangeMax(kKindQ); }
  void SetQMax(double v) { SetRangeMax(kKindQ, v); }
  double AMin() const { return RangeMin(kKindA); }
  void SetAMin(double v) { SetRangeMin(kKindA, v); }
  double AMax() const { return RangeMax(kKindA); }
  void SetAMax(double v) { SetRangeMax(kKindA, v); }
  double BMin() const { return RangeMin(kKindB); }
  void SetBMin(double v) { SetRangeMin(kKindB, v); }
  double BMax() const { return RangeMax(kKindB); }
  void SetBMax(double v) { SetRangeMax(kKindB, v); }
  double VMin() const { return RangeMin(kKindV); }
  void SetVMin(double v) { SetRangeMin(kKindV, v); }
  double VMax() const { return RangeMax(kKindV); }
  void SetVMax(double v) { SetRangeMax(kKindV, v); }
  double SQMin() const { return RangeMin(kKindSQ); }
  void SetSQMin(double v) { SetRangeMin(kKindSQ, v); }
  double SQMax() const { return RangeMax(kKindSQ); }
  void SetSQMax(double v) { SetRangeMax(kKindSQ, v); }
  double YMin() const { return RangeMin(kKindStage); }
  void SetYMin(double v) { SetRangeMin(kKindStage, v); }
  double YMax() const { return RangeMax(kKindStage); }
  void SetYMax(double v) { SetRangeMax(kKindStage, v); }

  // Empties the tables: no measurements.
  void Clear();
  // Label i = DN(i) for i = 1.. as far as both DN and the tables reach.
  void SetDatNo(const std::vector<std::string>& DN);
  // Measurements 1..upper bound of H (element 0 of each array is not read);
  // labels become empty. An empty H, or a quantity array shorter than H, is a
  // subscript-out-of-range error that leaves the tables as they were.
  void SetGrpData(const std::vector<double>& H, const std::vector<double>& Q, const std::vector<double>& A,
                  const std::vector<double>& B, const std::vector<double>& V, const std::vector<double>& SQ);
  // Erases the picture and draws the chart of kind NO (0..5).
  void HQsakuga(std::int16_t NO);

  // The table as the drawing output reads it: measurements 1..PointCount().
  std::int32_t PointCount() const { return count_; }
  double Stage(std::int32_t i) const;
  // Quantity `column` (0..4) of measurement i; other columns are a subscript-out-of-range error.
  double Quantity(std::int32_t i, int column) const;
  const std::string& Label(std::int32_t i) const;
  // True when all five quantities of measurement i are 0: such a measurement is not drawn.
  bool IsEmptyMeasurement(std::int32_t i) const;

 private:
  Picture& picture_;
  std::string kansokujyoNo_;
  std::int32_t seireki_ = 0;
  std::string kansokujyoMei_, suikeiMei_, kasenMei_;
  std::array<double, 6> rangeMin_{}, rangeMax_{};
  std::int32_t count_ = 0;
  std::vector<double> stage_;
  std::vector<std::array<double, kQuantities>> quantities_;
  std::vector<std::string> labels_;
};

// The letter of the horizontal axis of kind NO: "Ｑ", "Ａ", "Ｂ", "Ｖ", "√Ｑ", empty for 5.
std::string AxisLetter(int NO);

// Where HQsakuga draws on a picture of its size, in pixels: the plot's
// left and bottom edges, its width and height, and one grid pitch across (a
// seventh of the quantity range) and up (a quarter of the stage range, the
// lowest stage 0.6 pitch above the bottom). A host drawing over the chart
// (a fitted curve) places its points by it. A picture too large for the
// chart's coordinates is an overflow error.
struct HqPlotFrame {
  double left = 0, bottom = 0, width = 0, height = 0;
  double quantityPitch = 0, stagePitch = 0;
};
HqPlotFrame HqPlotFrameOf(const Picture& picture);

// A range value as read through its decimal text (15 significant digits).
double ThroughDecimalText(double value);

}  // namespace plamor::charts

#include "charts/cls_data.h"

#include <string_view>

#include "charts/field_reading.h"
#include "charts/host_error.h"
#include "charts/observation_layout.h"
#include "platform/ascii_text.h"
#include "platform/utf8.h"

namespace plamor::charts {
namespace {

constexpr std::size_t kArrayStep = 100;
constexpr double kRangeStart = 999999999;

namespace obs = observation;

std::string_view Line(const std::vector<std::string>& data, std::size_t index) {
  if (index >= data.size())
    throw HostError(kSubscriptOutOfRange, "line " + std::to_string(index) + " of the observation data is missing (" +
                                              std::to_string(data.size()) + " lines given)");
  return data[index];
}

double Element(const std::vector<double>& array, std::int32_t index, const char* name) {
  if (index < 0 || static_cast<std::size_t>(index) >= array.size())
    throw HostError(kSubscriptOutOfRange, std::string(name) + "(" + std::to_string(index) + ") is outside 0.." +
                                              std::to_string(array.size() - 1));
  return array[static_cast<std::size_t>(index)];
}

}  // namespace

clsData::clsData() { Clear(); }

clsData::~clsData() = default;

void clsData::ResetArrays() {
  for (auto* a : {&kyori_, &suisin_, &suisinO_, &suisinF_}) a->assign(kArrayStep + 1, 0.0);
}

void clsData::GrowArrays() {
  for (auto* a : {&kyori_, &suisin_, &suisinO_, &suisinF_}) a->resize(a->size() + kArrayStep, 0.0);
}

void clsData::Clear() {
  ResetArrays();
  kyoriMax_ = kyoriMin_ = suisinMax_ = suisinMin_ = 0;
  count_ = 0;
  kansokuNo_ = "0";
  kansokuDate_ = CurrentHostDate();
}

void clsData::SetData(const std::vector<std::string>& Data) {
  // Everything is read into a copy first, so that a failure leaves this
  // observation as it was.
  clsData next(*this);
  next.ResetArrays();

  const double datum = FieldNumber(FieldAt(Line(Data, obs::kHeaderLine), obs::kDatumField));

  const std::string_view observation = Line(Data, obs::kObservationLine);
  next.kansokuNo_ = ascii::TrimBlanks(FieldAt(observation, obs::kNumberField));
  next.kansokuDate_ = ParseHostDate(FieldAt(observation, obs::kDateField));
  const double waterA = FieldNumber(FieldAt(observation, obs::kFirstWaterField));
  const double waterB = FieldNumber(FieldAt(observation, obs::kSecondWaterField));
  const double water = Round2(Finite((waterA + waterB) / 2, "water-surface readings too large"));
  const double offset = FieldNumber(FieldAt(observation, obs::kOffsetField));

  std::string_view distances = Line(Data, obs::kDistanceLine);
  std::string_view firstDepths = Line(Data, obs::kFirstDepthLine);
  std::string_view secondDepths = Line(Data, obs::kSecondDepthLine);

  next.kyoriMax_ = next.suisinMax_ = -kRangeStart;
  next.kyoriMin_ = next.suisinMin_ = kRangeStart;

  if (utf8::CharacterCount(distances) > 1) {
    std::size_t i = 0;
    for (std::string_view field = CutField(distances); !field.empty(); field = CutField(distances)) {
      ++i;
      if (i >= next.kyori_.size()) next.GrowArrays();
      const double distance = FieldNumber(field);
      if (distance >= 9999) {
        // A point without a distance of its own stands where the one before it stands.
        if (i > 1) next.kyori_[i] = next.kyori_[i - 1];
        continue;
      }
      const double kyori = Finite(offset + RoundHalfEven(distance, 1), "distance too large");
      next.kyori_[i] = kyori;
      if (kyori > next.kyoriMax_) next.kyoriMax_ = kyori;
      if (kyori < next.kyoriMin_) next.kyoriMin_ = kyori;
    }
    next.count_ = static_cast<std::int32_t>(i);
    next.kyori_[0] = static_cast<double>(i);

    for (std::size_t k = 1; k <= i; ++k) next.suisinO_[k] = RoundHalfEven(FieldNumber(CutField(firstDepths)), 2);
    for (std::size_t k = 1; k <= i; ++k) next.suisinF_[k] = RoundHalfEven(FieldNumber(CutField(secondDepths)), 2);
    for (std::size_t j = 1; j <= i; ++j) {
      const double bed = Round2(Finite(water + datum - (next.suisinF_[j] + next.suisinO_[j]) / 2, "elevation too large"));
      next.suisin_[j] = bed;
      if (bed > next.suisinMax_) next.suisinMax_ = bed;
      if (bed < next.suisinMin_) next.suisinMin_ = bed;
    }
  }
  next.suisin_[0] = Round2(Finite(water + datum, "water-surface elevation too large"));
  *this = std::move(next);
}

double clsData::Kyori(std::int32_t Index) const { return Element(kyori_, Index, "Kyori"); }
double clsData::Suisin(std::int32_t Index) const { return Element(suisin_, Index, "Suisin"); }
double clsData::SuisinO(std::int32_t Index) const { return Element(suisinO_, Index, "SuisinO"); }
double clsData::SuisinF(std::int32_t Index) const { return Element(suisinF_, Index, "SuisinF"); }

}  // namespace plamor::charts

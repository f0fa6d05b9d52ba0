#include "sheets/hq_chart.h"

#include "charts/tbunpu.h"

namespace plamor::sheets {
namespace {

void SetQuantityRange(charts::TBunpu& t, survey::HqKind kind, survey::AxisRange r) {
  switch (kind) {
    case survey::kDischarge: t.SetQMin(r.min), t.SetQMax(r.max); break;
    case survey::kArea: t.SetAMin(r.min), t.SetAMax(r.max); break;
    case survey::kWidth: t.SetBMin(r.min), t.SetBMax(r.max); break;
    case survey::kVelocity: t.SetVMin(r.min), t.SetVMax(r.max); break;
    case survey::kRootDischarge: t.SetSQMin(r.min), t.SetSQMax(r.max); break;
  }
}

}  // namespace

void LoadHqChart(const survey::HqTable& table, survey::HqKind kind, std::optional<survey::AxisRange> stage,
                 std::optional<survey::AxisRange> quantity, charts::TBunpu& t) {
  std::vector<double> H{0}, Q{0}, A{0}, B{0}, V{0}, SQ{0}, stages, values;
  std::vector<std::string> labels{""};
  for (const survey::Measurement& m : table.measurements) {
    H.push_back(m.stage);
    Q.push_back(m.quantity[survey::kDischarge]);
    A.push_back(m.quantity[survey::kArea]);
    B.push_back(m.quantity[survey::kWidth]);
    V.push_back(m.quantity[survey::kVelocity]);
    SQ.push_back(m.quantity[survey::kRootDischarge]);
    labels.push_back(m.label);
    stages.push_back(m.stage);
    values.push_back(m.quantity[kind]);
  }
  t.SetGrpData(H, Q, A, B, V, SQ);
  t.SetDatNo(labels);
  t.SetSuikeiMei(table.riverSystem);
  t.SetKasenMei(table.river);
  t.SetKansokujyoMei(table.station);
  t.SetKansokujyoNo(table.stationNumber);
  t.SetSeireki(table.year);
  const survey::AxisRange s = stage ? *stage : survey::StageRange(stages);
  t.SetYMin(s.min);
  t.SetYMax(s.max);
  SetQuantityRange(t, kind, quantity ? *quantity : survey::QuantityRange(values));
}

}  // namespace plamor::sheets

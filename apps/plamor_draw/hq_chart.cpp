#include "apps/plamor_draw/hq_chart.h"

#include "charts/tbunpu.h"

namespace plamor::draw {
namespace {

void SetQuantityRange(charts::TBunpu& t, HqKind kind, AxisRange r) {
  switch (kind) {
    case kDischarge: t.SetQMin(r.min), t.SetQMax(r.max); break;
    case kArea: t.SetAMin(r.min), t.SetAMax(r.max); break;
    case kWidth: t.SetBMin(r.min), t.SetBMax(r.max); break;
    case kVelocity: t.SetVMin(r.min), t.SetVMax(r.max); break;
    case kRootDischarge: t.SetSQMin(r.min), t.SetSQMax(r.max); break;
  }
}

}  // namespace

void LoadHqChart(const HqTable& table, HqKind kind, std::optional<AxisRange> stage,
                 std::optional<AxisRange> quantity, charts::TBunpu& t) {
  std::vector<double> H{0}, Q{0}, A{0}, B{0}, V{0}, SQ{0}, stages, values;
  std::vector<std::string> labels{""};
  for (const Measurement& m : table.measurements) {
    H.push_back(m.stage);
    Q.push_back(m.quantity[kDischarge]);
    A.push_back(m.quantity[kArea]);
    B.push_back(m.quantity[kWidth]);
    V.push_back(m.quantity[kVelocity]);
    SQ.push_back(m.quantity[kRootDischarge]);
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
  const AxisRange s = stage ? *stage : StageRange(stages);
  t.SetYMin(s.min);
  t.SetYMax(s.max);
  SetQuantityRange(t, kind, quantity ? *quantity : QuantityRange(values));
}

}  // namespace plamor::draw

#include "charts/point_table.h"

#include <algorithm>
#include <cstdint>

#include "charts/cls_data.h"
#include "charts/field_reading.h"
#include "charts/host_error.h"

namespace plamor::charts {

PointTable MakePointTable(const clsData& data, double kyoriMin, double suisinMin) {
  const std::int32_t n = data.Count();
  PointTable t;
  t.X.assign(static_cast<std::size_t>(std::max(n + 2, 3)), 0.0);
  t.Y = t.X;
  for (std::int32_t i = 1; i <= n; ++i) t.X[i] = Finite(data.Kyori(i) - kyoriMin, "distance");
  for (std::int32_t i = 0; i <= n; ++i) t.Y[i] = Round2(Finite(data.Suisin(i) - suisinMin, "elevation"));
  return t;
}

}  // namespace plamor::charts

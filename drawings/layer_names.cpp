#include "drawings/layer_names.h"

#include <algorithm>

#include "server/formats/dxf_rules.h"

namespace plamor::drawings {

std::int16_t LayerOf(const Element& e) {
  if (auto* l = std::get_if<LineElement>(&e)) return l->stroke.layer;
  if (auto* a = std::get_if<ArcElement>(&e)) return a->stroke.layer;
  return std::get<TextElement>(e).layer;
}

std::string LayerNameOf(const DrawingModel& model, std::int16_t layer) {
  const bool anyNamed = std::any_of(model.layerNames.begin(), model.layerNames.end(),
                                    [](const auto& entry) { return !entry.second.empty(); });
  if (!anyNamed) return dxf::UnnamedLayerName(layer);
  const auto named = model.layerNames.find(layer);
  return named == model.layerNames.end() || named->second.empty() ? "0" : named->second;
}

}  // namespace plamor::drawings

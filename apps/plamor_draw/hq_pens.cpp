#include "apps/plamor_draw/hq_pens.h"

#include "apps/plamor_draw/command_line.h"
#include "apps/plamor_draw/input_error.h"
#include "charts/hq_settings.h"
#include "platform/settings_store.h"

namespace plamor::draw {

namespace hq = charts::hq_settings;

HqPens ParseHqPens(const std::string& text) {
  std::vector<int> n = ParseNumberList("--pens", text);
  if (n.size() != 5) throw UsageError("--pens takes five pens FRAME,GRID,TEXT,LABEL,TITLE such as 7,1,7,2,7");
  for (int pen : n)
    if (pen > 7) throw UsageError("--pens: pen " + std::to_string(pen) + " does not exist (pens are 1 to 7)");
  return {n[0], n[1], n[2], n[3], n[4]};
}

std::string HqPensText(const HqPens& p) {
  return std::to_string(p.frame) + "," + std::to_string(p.grid) + "," + std::to_string(p.text) + "," +
         std::to_string(p.label) + "," + std::to_string(p.title);
}

bool HqPensStored() {
  for (const char* key : hq::kPenKeys)
    if (!settings::GetSetting(hq::kApplication, hq::kSection, key).empty()) return true;
  return false;
}

void SaveHqPens(const HqPens& p) {
  const int values[] = {p.frame, p.grid, p.text, p.label, p.title};
  for (int i = 0; i < 5; ++i)
    settings::SaveSetting(hq::kApplication, hq::kSection, hq::kPenKeys[i], std::to_string(values[i]));
}

}  // namespace plamor::draw

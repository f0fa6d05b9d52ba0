#include "sheets/hq_pens.h"

#include "charts/hq_settings.h"
#include "platform/settings_store.h"

namespace plamor::sheets {

namespace hq = charts::hq_settings;

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

int HqCurvePen() {
  const std::string text = settings::GetSetting(hq::kApplication, hq::kSection, hq::kCurvePenKey);
  if (text.size() != 1 || text[0] < '0' || text[0] > '7') return kDefaultCurvePen;
  return text[0] - '0';
}

void SaveHqCurvePen(int pen) {
  settings::SaveSetting(hq::kApplication, hq::kSection, hq::kCurvePenKey, std::to_string(pen));
}

}  // namespace plamor::sheets

#include "platform/time_text.h"

namespace plamor {

std::string TimeText(std::time_t time, const char* format, Clock clock) {
  std::tm parts{};
  if (clock == Clock::kUniversal) gmtime_r(&time, &parts);
  else localtime_r(&time, &parts);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, format, &parts);
  return std::string(text, n);
}

}  // namespace plamor

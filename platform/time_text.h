// A moment as text by a strftime format, in universal or local time.
#pragma once

#include <ctime>
#include <string>

namespace plamor {

enum class Clock { kUniversal, kLocal };

std::string TimeText(std::time_t time, const char* format, Clock clock);

}  // namespace plamor

// The date of an observation, as the host's date values carry it (date and
// time of day), and its conversion from and to the Japanese host's date text.
#pragma once

#include <string>
#include <string_view>

namespace plamor::charts {

struct HostDate {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const HostDate&, const HostDate&) = default;
};

// Reads a date as a Japanese host writes it: "2003/07/15", "2003/7/15",
// "2003-07-15" or "2003年7月15日", optionally followed by a time "9:05" or
// "9:05:30"; blanks around it are ignored. Any other text, or a day that does
// not exist, is a type-mismatch error.
HostDate ParseHostDate(std::string_view text);

// The current local date and time.
HostDate CurrentHostDate();

// The short date text of the Japanese locale: "2003/07/15".
std::string ShortDateText(const HostDate& date);

}  // namespace plamor::charts

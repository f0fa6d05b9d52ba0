#include "charts/host_date.h"

#include <cstdio>
#include <ctime>

#include "charts/host_error.h"

namespace plamor::charts {
namespace {

class DateScanner {
 public:
  explicit DateScanner(std::string_view text) : text_(text) {}

  // Reads 1 to `maxDigits` decimal digits.
  bool Number(int maxDigits, int& value) {
    int digits = 0;
    value = 0;
    while (pos_ < text_.size() && digits < maxDigits && text_[pos_] >= '0' && text_[pos_] <= '9') {
      value = value * 10 + (text_[pos_++] - '0');
      ++digits;
    }
    return digits > 0;
  }
  bool Literal(std::string_view s) {
    if (text_.substr(pos_, s.size()) != s) return false;
    pos_ += s.size();
    return true;
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  bool AtEnd() const { return pos_ == text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

bool ReadDate(DateScanner& s, HostDate& d) {
  if (!s.Number(4, d.year)) return false;
  if (s.Literal("年")) {
    return s.Number(2, d.month) && s.Literal("月") && s.Number(2, d.day) && s.Literal("日");
  }
  const bool slash = s.Literal("/");
  if (!slash && !s.Literal("-")) return false;
  if (!s.Number(2, d.month)) return false;
  if (!s.Literal(slash ? "/" : "-")) return false;
  return s.Number(2, d.day);
}

bool ReadTime(DateScanner& s, HostDate& d) {
  if (!s.Number(2, d.hour) || !s.Literal(":") || !s.Number(2, d.minute)) return false;
  if (s.Literal(":") && !s.Number(2, d.second)) return false;
  return d.hour < 24 && d.minute < 60 && d.second < 60;
}

}  // namespace

HostDate ParseHostDate(std::string_view text) {
  DateScanner s(text);
  HostDate d{};
  d.hour = d.minute = d.second = 0;
  s.SkipBlanks();
  bool ok = ReadDate(s, d) && d.year >= 100 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
            d.day <= DaysInMonth(d.year, d.month);
  if (ok) {
    s.SkipBlanks();
    if (!s.AtEnd()) ok = ReadTime(s, d);
    s.SkipBlanks();
    ok = ok && s.AtEnd();
  }
  if (!ok) throw HostError(kTypeMismatch, "\"" + std::string(text) + "\" is not a date");
  return d;
}

HostDate CurrentHostDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return HostDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec};
}

std::string ShortDateText(const HostDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
  return text;
}

}  // namespace plamor::charts

// Builds the host's text lines of one observation for the tests.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace charts_test {

struct ObservationText {
  std::map<int, std::string> header;       // field number (1-based) -> text of line 0
  std::map<int, std::string> observation;  // field number -> text of line 11
  std::string distances, firstDepths, secondDepths;
};

inline std::string FieldsLine(const std::map<int, std::string>& fields, int count) {
  std::string line;
  for (int f = 1; f <= count; ++f) {
    if (f > 1) line += ",";
    auto it = fields.find(f);
    if (it != fields.end()) line += it->second;
  }
  return line;
}

inline std::vector<std::string> Lines(const ObservationText& o) {
  std::vector<std::string> lines(12);
  lines[0] = FieldsLine(o.header, 18);
  lines[2] = o.distances;
  lines[3] = o.firstDepths;
  lines[4] = o.secondDepths;
  lines[11] = FieldsLine(o.observation, 19);
  return lines;
}

// The lines of an observation of one survey: its number, date, water surface
// (both water fields) and the points as "0,10,20" and "-1,1,1.5", each depth
// measured twice alike; `title` and `datum` fill the header's fields 3 and 18.
inline std::vector<std::string> SurveyLines(const char* title, const char* datum, const char* number,
                                            const char* date, const char* water, const char* distances,
                                            const char* depths) {
  ObservationText o;
  o.header = {{3, title}, {18, datum}};
  o.observation = {{1, number}, {2, date}, {10, water}, {11, water}};
  o.distances = distances;
  o.firstDepths = o.secondDepths = depths;
  return Lines(o);
}

}  // namespace charts_test

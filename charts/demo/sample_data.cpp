#include "sample_data.h"

#include <cmath>
#include <cstdio>

namespace marovel_demo {
namespace {

std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
  return line;
}

std::string Numbers(const std::vector<double>& values) {
  std::vector<std::string> fields;
  for (double v : values) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    fields.push_back(text);
  }
  return Join(fields);
}

}  // namespace

std::vector<std::string> SampleObservation(int index) {
  struct Survey {
    const char* number;
    const char* date;
    double waterA, waterB;
    std::vector<double> distances, depths;
  };
  static const Survey surveys[kSampleObservations] = {
      {"1", "2003/07/15", 2.35, 2.37, {0, 4, 8, 12, 18, 24, 30, 36, 42, 48, 53},
       {-1.6, -0.4, 0.6, 1.4, 1.9, 2.1, 2.0, 1.6, 0.8, -0.3, -1.9}},
      {"2", "2004/7/20", 2.10, 2.12, {0, 5, 10, 15, 20, 26, 32, 38, 44, 50, 55},
       {-1.8, -0.2, 0.9, 1.6, 2.2, 2.4, 2.1, 1.5, 0.7, -0.5, -2.0}},
      {"3", "2005-08-02", 2.60, 2.60, {2, 6, 11, 16, 22, 28, 34, 40, 46, 52},
       {0.4, 0.9, 1.3, 1.8, 2.3, 2.2, 1.9, 1.2, 0.5, -1.5}},
  };
  const Survey& s = surveys[index];
  std::vector<std::string> header(18, "");
  header[2] = "\"大川　No.12 横断面\"";
  header[16] = "10.00";
  header[17] = "基準面 ";
  std::vector<std::string> observation(19, "");
  observation[0] = s.number;
  observation[1] = s.date;
  char water[32];
  std::snprintf(water, sizeof water, "%.2f", s.waterA);
  observation[9] = water;
  std::snprintf(water, sizeof water, "%.2f", s.waterB);
  observation[10] = water;
  observation[18] = "0";

  std::vector<std::string> lines(12);
  lines[0] = Join(header);
  lines[2] = Numbers(s.distances);
  lines[3] = Numbers(s.depths);
  lines[4] = Numbers(s.depths);
  lines[11] = Join(observation);
  return lines;
}

SampleMeasurements SampleHq() {
  SampleMeasurements m;
  const double stages[] = {0.42, 0.55, 0.71, 0.86, 1.02, 1.18, 1.35, 1.52, 1.70, 1.88, 2.02, 2.12};
  for (auto* v : {&m.H, &m.Q, &m.A, &m.B, &m.V, &m.SQ}) v->push_back(0);
  m.labels.push_back("");
  int number = 1;
  for (double h : stages) {
    const double q = 18.0 * std::pow(h - 0.2, 1.6);
    const double a = 9.0 * h + 2.5 * h * h;
    m.H.push_back(h);
    m.Q.push_back(q);
    m.A.push_back(a);
    m.B.push_back(12.0 + 3.0 * h);
    m.V.push_back(q / a);
    m.SQ.push_back(std::sqrt(q));
    m.labels.push_back(std::to_string(number++));
  }
  return m;
}

}  // namespace marovel_demo

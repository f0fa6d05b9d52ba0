#include "hydraulics/rating_formula.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "cli/input_error.h"
#include "cli/input_text.h"
#include "hydraulics/text_output.h"
#include "platform/numeric_text.h"

namespace plamor::hydraulics {
namespace {

// The shortest text that reads back as the same double.
std::string Number(double value) {
  if (!std::isfinite(value)) throw std::logic_error("a formula file cannot hold a number that is not finite");
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

// Three decimals, more for a value below 0.1 so that three significant digits show.
std::string CoefficientText(double value) {
  int decimals = 3;
  if (std::abs(value) > 0 && std::abs(value) < 0.1)
    decimals = 2 - static_cast<int>(std::floor(std::log10(std::abs(value))));
  return numtext::Format(value, numtext::DecimalsPattern(decimals));
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

class SegmentReader {
 public:
  SegmentReader(const std::filesystem::path& file, const QJsonObject& object, std::size_t index)
      : file_(file), object_(object), name_("segments[" + std::to_string(index) + "]") {}

  double Number(const char* key) const {
    const QJsonValue value = object_.value(key);
    if (value.isUndefined()) Fail(key, "is missing");
    if (!value.isDouble()) Fail(key, "is not a number");
    return value.toDouble();
  }

  [[noreturn]] void Fail(const char* key, const std::string& what) const {
    throw InputError(file_, name_ + "." + key + " " + what);
  }

 private:
  const std::filesystem::path& file_;
  const QJsonObject& object_;
  std::string name_;
};

RatingSegment ReadSegment(const std::filesystem::path& file, const QJsonValue& value, std::size_t index) {
  if (!value.isObject())
    throw InputError(file, "segments[" + std::to_string(index) + "] is not an object with a, b, from, to");
  const QJsonObject object = value.toObject();
  const SegmentReader read(file, object, index);
  RatingSegment s;
  s.a = read.Number("a");
  s.b = read.Number("b");
  s.from = read.Number("from");
  s.to = read.Number("to");
  const double n = read.Number("n");
  s.sePercent = read.Number("se_percent");
  s.r2 = read.Number("r2");
  if (!(s.a > 0)) read.Fail("a", "is " + numtext::CStr(s.a) + "; a formula needs a above 0");
  if (!(s.to > s.from))
    read.Fail("to", "is " + numtext::CStr(s.to) + ", not above \"from\" " + numtext::CStr(s.from));
  if (!(-s.b < s.from))
    read.Fail("b", "puts the zero-flow stage " + numtext::CStr(-s.b) + " at or above \"from\" " +
                       numtext::CStr(s.from));
  if (!(n >= 0 && n == std::floor(n) && n < 1e15)) read.Fail("n", "is not a count of measurements");
  if (!(s.sePercent >= 0)) read.Fail("se_percent", "is negative");
  s.n = static_cast<std::size_t>(n);
  return s;
}

}  // namespace

bool ParseFitMethod(std::string_view text, FitMethod& method) {
  if (text == "sqrt") method = FitMethod::kSqrt;
  else if (text == "q") method = FitMethod::kQ;
  else return false;
  return true;
}

const char* FitMethodName(FitMethod method) { return method == FitMethod::kSqrt ? "sqrt" : "q"; }

double RatingSegment::Discharge(double stage) const {
  const double depth = stage + b;
  return depth > 0 ? a * depth * depth : 0;
}

std::size_t SegmentAt(const RatingFormula& formula, double stage) {
  const auto& s = formula.segments;
  std::size_t k = 0;
  while (k + 1 < s.size() && stage >= s[k].to) ++k;
  return k;
}

RatedStage RateStage(const RatingFormula& formula, double stage) {
  RatedStage rated;
  rated.segment = SegmentAt(formula, stage);
  rated.discharge = formula.segments[rated.segment].Discharge(stage);
  rated.belowRange = stage < formula.segments.front().from;
  rated.aboveRange = stage > formula.segments.back().to;
  return rated;
}

std::string StageText(double stage) {
  const std::string two = numtext::Format(stage, "0.00");
  return numtext::Val(two) == stage ? two : numtext::CStr(stage);
}

std::string FormulaText(const RatingFormula& formula, std::size_t segment) {
  const RatingSegment& s = formula.segments[segment];
  const bool last = segment + 1 == formula.segments.size();
  return "Q = " + CoefficientText(s.a) + " (H " + (s.b < 0 ? "- " : "+ ") + CoefficientText(std::abs(s.b)) +
         ")²  " + StageText(s.from) + " ≤ H " + (last ? "≤ " : "< ") + StageText(s.to);
}

std::string FormulaJson(const RatingFormula& formula) {
  std::string json = std::string("{\"method\": \"") + FitMethodName(formula.method) + "\", \"segments\": [";
  for (std::size_t k = 0; k < formula.segments.size(); ++k) {
    const RatingSegment& s = formula.segments[k];
    if (k) json += ", ";
    json += "{\"a\": " + Number(s.a) + ", \"b\": " + Number(s.b) + ", \"from\": " + Number(s.from) +
            ", \"to\": " + Number(s.to) + ", \"n\": " + std::to_string(s.n) + ", \"se_percent\": " +
            Number(s.sePercent) + ", \"r2\": " + Number(s.r2) + "}";
  }
  return json + "]}\n";
}

void WriteFormulaFile(const std::filesystem::path& file, const RatingFormula& formula) {
  WriteTextFile(file, FormulaJson(formula));
}

RatingFormula ParseFormulaJson(const std::filesystem::path& file, std::string_view text) {
  QJsonParseError error{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
  if (error.error != QJsonParseError::NoError)
    throw InputError(file, LineOfOffset(text, static_cast<std::size_t>(error.offset)),
                     "is not a rating formula file: the JSON text is damaged (" + error.errorString().toStdString() +
                         ")");
  const QJsonObject root = document.object();
  if (!document.isObject() || !root.contains("segments") || !root.contains("method"))
    throw InputError(file, "is not a rating formula file: it has no \"method\" and \"segments\"");
  RatingFormula formula;
  const QJsonValue method = root.value("method");
  if (!method.isString() || !ParseFitMethod(method.toString().toStdString(), formula.method))
    throw InputError(file, "method is not \"sqrt\" or \"q\"");
  const QJsonValue segments = root.value("segments");
  if (!segments.isArray() || segments.toArray().isEmpty())
    throw InputError(file, "segments is not a list of one or more segments");
  const QJsonArray list = segments.toArray();
  for (qsizetype k = 0; k < list.size(); ++k) {
    formula.segments.push_back(ReadSegment(file, list.at(k), static_cast<std::size_t>(k)));
    if (k > 0 && formula.segments[k].from != formula.segments[k - 1].to)
      throw InputError(file, "segments[" + std::to_string(k) + "].from " + numtext::CStr(formula.segments[k].from) +
                                 " does not continue segments[" + std::to_string(k - 1) + "].to " +
                                 numtext::CStr(formula.segments[k - 1].to));
  }
  return formula;
}

RatingFormula ReadFormulaFile(const std::filesystem::path& file) {
  return ParseFormulaJson(file, ReadInputFile(file));
}

}  // namespace plamor::hydraulics

#include "hydraulics/stage_record.h"

#include <charconv>
#include <cmath>

#include "cli/input_error.h"
#include "cli/input_text.h"
#include "hydraulics/rating_table.h"
#include "hydraulics/text_output.h"
#include "platform/ascii_text.h"
#include "platform/message_text.h"

namespace plamor::hydraulics {
namespace {

bool ReadStage(std::string_view text, double& stage) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), stage);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(stage);
}

}  // namespace

std::string ConvertStageRecord(const RatingFormula& formula, const std::filesystem::path& file,
                               const std::vector<std::string>& lines, StageRecordSummary& summary) {
  summary = {};
  std::string out = "time,stage,discharge,flag\n";
  out.reserve(lines.size() * 40);
  bool first = true;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    const std::string_view line = ascii::TrimBlanksAndTabs(lines[n - 1]);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos)
      throw InputError(file, n, "is not \"time,stage\" (two fields)");
    const std::string_view time = ascii::TrimBlanksAndTabs(line.substr(0, comma));
    const std::string_view stageText = ascii::TrimBlanksAndTabs(line.substr(comma + 1));
    double stage = 0;
    const bool header = first && !stageText.empty() && !ReadStage(stageText, stage);
    first = false;
    if (header) continue;
    if (time.empty()) throw InputError(file, n, 1, "time is missing");
    ++summary.rows;
    out.append(time).append(",").append(stageText).append(",");
    if (stageText.empty()) {
      ++summary.missing;
      out.append(",missing\n");
      continue;
    }
    if (!ReadStage(stageText, stage))
      throw InputError(file, n, 2, "stage: " + msgtext::Quoted(stageText) + " is not a number");
    const RatedStage rated = RateStage(formula, stage);
    out.append(DischargeText(rated.discharge));
    if (rated.belowRange || rated.aboveRange) {
      ++summary.outOfRange;
      out.append(rated.belowRange ? ",below-range\n" : ",above-range\n");
    } else {
      out.append(",\n");
    }
  }
  return out;
}

StageRecordSummary ConvertStageRecordFile(const RatingFormula& formula, const std::filesystem::path& in,
                                          const std::filesystem::path& out) {
  StageRecordSummary summary;
  WriteTextFile(out, ConvertStageRecord(formula, in, ReadTextLines(in), summary));
  return summary;
}

}  // namespace plamor::hydraulics

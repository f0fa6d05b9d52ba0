// Mutated inputs for every reader of outside input: the host-script parser
// and runner, the observation and H-Q survey readers, the national
// cross-section reader and the stage table, the H-Q formula file and the
// stage record, the standard drawing and text file readers, and the
// stroke-font reader. A reader either accepts the
// input or refuses it with its own error naming the place; what it accepts
// the charts can draw without overflow, and nothing crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "apps/host_script/script_parser.h"
#include "apps/host_script/script_runner.h"
#include "survey/axis_range.h"
#include "drawings/drawing_files.h"
#include "survey/hq_table.h"
#include "cli/input_error.h"
#include "survey/observation_file.h"
#include "survey/river.h"
#include "survey/stage_table.h"
#include "hydraulics/rating_formula.h"
#include "hydraulics/river_table.h"
#include "hydraulics/stage_record.h"
#include "charts/danmen_chart.h"
#include "charts/recording_picture.h"
#include "mutation_runner.h"
#include "platform/cp932.h"
#include "server/formats/atz_reader.h"
#include "server/formats/plm_reader.h"
#include "tests/support/recording_plamor.h"
#include "util/tessaro_stroke_font.h"

namespace fs = std::filesystem;
using namespace plamor;

namespace {

const fs::path kExamples = fs::path(PLAMOR_SOURCE_DIR) / "examples";

fs::path Scratch(const std::string& name) { return fs::temp_directory_path() / ("plamor-fuzz-" + name); }

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// An error message fit for a terminal: it names the file, holds no control
// characters and stays short whatever the input held.
void ExpectReadableMessage(const std::string& message, const std::string& place) {
  EXPECT_EQ(message.rfind(place, 0), 0u) << message.substr(0, 200);
  EXPECT_LT(message.size(), 600u) << message.substr(0, 200);
  for (char c : message) ASSERT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << message.substr(0, 200);
}

std::vector<std::string> Seeds(const fs::path& folder) {
  std::vector<std::string> seeds;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".csv") seeds.push_back(fuzz::ReadFileBytes(entry.path()));
  std::sort(seeds.begin(), seeds.end());
  return seeds;
}

// Runs the mutations of `seeds` through a reader of files: each input is
// written to a scratch file named `fileName` and read by `read`, which either
// refuses it with an InputError naming the file, or accepts it; `check`
// then looks at what it read (and at the input).
template <typename Read, typename Check>
std::size_t RunFileMutations(const std::string& target, const std::string& fileName,
                             const std::vector<std::string>& seeds, Read read, Check check) {
  const fs::path file = Scratch(fileName);
  const std::size_t runs = fuzz::RunMutations(target, seeds, [&](const std::string& input) {
    WriteBytes(file, input);
    std::optional<decltype(read(file))> result;
    try {
      result.emplace(read(file));
    } catch (const InputError& e) {
      ExpectReadableMessage(e.what(), file.string() + ": ");
      return false;
    }
    check(*result, input);
    return true;
  });
  fs::remove(file);
  return runs;
}

// Standard text and drawing files written by the server's own writers, as
// plamor-draw convert writes them (from the test data of the readers).
const char* const kAtzSeed =
    "0,3,100.000,1\r\n"
    "1,0.000,0.000,42000.000,0.000,2,1,200.000\r\n"
    "1,100.000,200.000,1000.000,200.000,47,4,300.000\r\n"
    "3,5000.000,5000.000,1000.000,1000.000,0.000,360.000,0.000,113,0,0.000\r\n"
    "4,30000.000,20000.000,0.000,300.000,270.000,30.000,90.000,6,1,6,\"\x8f\x63\x8f\x91\x82\xab\"\r\n";

}  // namespace

TEST(Fuzz, HostScriptParserAndRunner) {
  const std::vector<std::string> seeds = {
      "' plan\nPaperSize = ktpA3\nFileName = \"out/plan.dxf\"\nLayerName(3) = \"護岸\"\n"
      "Sen 0, 0, 100, 0\nSen 0, 0, 0, 50, vPen:=2, vStyl:=1\nSen 0, 0, 0, 50, , 3\n"
      "Moji 10, 10, \"河川横断図\", ktpYoko, 0, 0, vHeight:=5, vKiten:=ktpCenterBottom\n"
      "print Count\nOutPutPlamor \"M_G_L.KVD\"\nwait\nClear\n",
      "En 5, 5, 2.5, vPen:=3\r\nEnko 1, 2, 3, 0, 90\r\nRem done\r\nprint LayerName(3)\r\n"};
  const std::size_t runs = fuzz::RunMutations("host-script", seeds, [](const std::string& input) {
    std::vector<script::Statement> statements;
    try {
      statements = script::ParseScript(input);
    } catch (const script::ParseError& e) {
      ExpectReadableMessage(e.what(), "line " + std::to_string(e.line()) + ": ");
      return false;
    }
    plamor::testing::RecordingPlamor drawing;
    script::RunnerOptions options;
    try {
      script::RunScript(statements, drawing, options);
    } catch (const script::RunError& e) {
      ExpectReadableMessage(e.what(), "line ");
      return false;
    }
    return true;
  });
  EXPECT_GT(runs, seeds.size());
}

TEST(Fuzz, ObservationFilesTheChartCanDraw) {
  std::vector<std::string> seeds = Seeds(kExamples / "sections");
  for (std::string& levee : Seeds(kExamples / "levee")) seeds.push_back(std::move(levee));
  const std::size_t runs = RunFileMutations(
      "observation-file", "obs.csv", seeds, survey::ReadObservationFile,
      [](const survey::ObservationFile& observation, const std::string&) {
        // What the reader accepts, the chart draws.
        charts::RecordingPicture picture(920, 610);
        charts::DanmenChart chart(picture);
        chart.SetData(observation.lines);
        chart.DanmenZu(1);
      });
  EXPECT_GT(runs, 4u);
}

TEST(Fuzz, HqTablesGiveAxisRanges) {
  const std::size_t runs = RunFileMutations(
      "hq-table", "hq.csv", Seeds(kExamples / "hq"), survey::ReadHqTable, [](const survey::HqTable& table, const std::string&) {
        std::vector<double> stages;
        for (const auto& m : table.measurements) stages.push_back(m.stage);
        survey::StageRange(stages);
        for (int kind = survey::kDischarge; kind <= survey::kRootDischarge; ++kind) {
          if (!table.hasColumn[static_cast<std::size_t>(kind)]) continue;
          std::vector<double> values;
          for (const auto& m : table.measurements) values.push_back(m.quantity[static_cast<std::size_t>(kind)]);
          survey::QuantityRange(values);
        }
      });
  EXPECT_GT(runs, 1u);
}

TEST(Fuzz, RiverSectionFilesGiveFiniteHydraulics) {
  // Besides the example river, its files without their point count (-9999),
  // so that inputs with lines added or cut are read through as well.
  std::vector<std::string> seeds = Seeds(kExamples / "river");
  for (std::size_t k = 0, n = seeds.size(); k < n; ++k) {
    std::string uncounted = seeds[k];
    std::size_t at = 0;
    for (int comma = 0; comma < 6; ++comma) at = uncounted.find(',', at) + 1;
    uncounted.replace(at, uncounted.find(',', at) - at, "-9999");
    seeds.push_back(std::move(uncounted));
  }
  const std::size_t runs = RunFileMutations(
      "river-section", "section.csv", seeds, survey::ReadRiverSectionFile,
      [](const survey::SectionSurvey& section, const std::string&) {
        // What the reader accepts, the river takes (or refuses with its error)
        // and the table computes without a fault.
        survey::River river;
        try {
          river = survey::AssembleRiver({section});
        } catch (const InputError& e) {
          ExpectReadableMessage(e.what(), section.file.string() + ": ");
          return;
        }
        const auto& s = river.sections.front().surveys.front();
        for (double stage : {s.waterSurface.value_or(0.0), 1e6, -1e6}) {
          const auto rows = hydraulics::TabulateRiver(
              river, {hydraulics::StageSource::Given(stage), s.date});
          const auto& f = rows.front().flow;
          EXPECT_TRUE(std::isfinite(f.area + f.wettedPerimeter + f.topWidth + rows.front().deepestBed));
          EXPECT_TRUE(f.area >= 0 && f.topWidth >= 0 && f.wettedPerimeter >= 0);
          EXPECT_TRUE(rows.front().change && rows.front().change->deposition == 0 && rows.front().change->scour == 0);
        }
      });
  EXPECT_GT(runs, 72u);
}

TEST(Fuzz, StageTables) {
  const std::size_t runs = RunFileMutations(
      "stage-table", "stages.csv", Seeds(kExamples / "river" / "plan"), survey::ReadStageTable,
      [](const survey::StageTable& table, const std::string&) {
        for (double mark : table.marks) EXPECT_TRUE(std::isfinite(*table.StageAt(mark)));
      });
  EXPECT_GT(runs, 1u);
}

TEST(Fuzz, FormulaFilesRateEveryStage) {
  hydraulics::RatingFormula formula;
  formula.segments = {{12.345, 0.21, 0.38, 1.2, 12, 3.1, 0.998}, {15.0, 0.0, 1.2, 2.4, 8, 2.5, 0.997}};
  const std::size_t runs = RunFileMutations(
      "formula", "formula.json", {hydraulics::FormulaJson(formula)}, hydraulics::ReadFormulaFile,
      [](const hydraulics::RatingFormula& read, const std::string&) {
        ASSERT_FALSE(read.segments.empty());
        for (std::size_t k = 0; k < read.segments.size(); ++k) {
          const auto& segment = read.segments[k];
          EXPECT_LT(segment.from, segment.to);
          if (k > 0) EXPECT_EQ(segment.from, read.segments[k - 1].to);
          for (double stage : {segment.from, segment.to, segment.to + 1e3}) {
            const hydraulics::RatedStage rated = hydraulics::RateStage(read, stage);
            EXPECT_TRUE(std::isfinite(rated.discharge) && rated.discharge >= 0) << stage;
          }
        }
      });
  EXPECT_GT(runs, 1u);
}

TEST(Fuzz, StageRecordsConvertLineByLine) {
  hydraulics::RatingFormula formula;
  formula.segments = {{12.345, 0.21, 0.38, 2.4, 12, 3.1, 0.998}};
  const std::string seed = "time,stage\n2023-01-01 00:00,0.42\n2023-01-01 00:10,\n# gauge reset\n"
                           "2023-01-01 00:20,3.10\n2023-01-01 00:30,0.10\n";
  const fs::path out = Scratch("discharges.csv");
  const std::size_t runs = RunFileMutations(
      "stage-record", "stages.csv", {seed},
      [&](const fs::path& in) { return hydraulics::ConvertStageRecordFile(formula, in, out); },
      [&](const hydraulics::StageRecordSummary& summary, const std::string&) {
        EXPECT_LE(summary.outOfRange + summary.missing, summary.rows);
        EXPECT_TRUE(fs::exists(out));
      });
  fs::remove(out);
  EXPECT_GT(runs, 1u);
}

TEST(Fuzz, StandardTextFiles) {
  const std::size_t runs = RunFileMutations(
      "atz-file", "drawing.atz", {kAtzSeed}, drawings::ReadDrawingFile, [](const drawings::DrawingModel&, const std::string& input) {
        for (const atz::Entry& entry : atz::ReadAtz(input).entries) {
          if (const auto* line = std::get_if<atz::LineEntry>(&entry)) {
            EXPECT_TRUE(std::isfinite(line->x1 + line->y2));
          }
        }
      });
  EXPECT_GT(runs, 1u);
}

TEST(Fuzz, StandardDrawingFiles) {
  // The standard text seed converted by the program itself is not at hand
  // here; a drawing file is made from a header of the right size and records.
  std::string seed(2906, '\0');
  seed.replace(2874, 6, std::string("PLMV2\0", 6));
  auto putDouble = [](std::string& s, std::size_t at, double v) { std::memcpy(s.data() + at, &v, 8); };
  putDouble(seed, 2840, 420);
  putDouble(seed, 2848, 297);
  putDouble(seed, 2866, 100);
  seed[2856] = 4;  // A3 landscape
  std::string line(4 + 5 * 8, '\0');
  line[0] = 0x05;  // a line of pen 0, layer code 0
  for (int k = 0; k < 5; ++k) putDouble(line, 4 + 8 * k, 10.0 * (k + 1));
  std::string text(4 + 7 * 8 + 2 + 4 + 3, '\0');
  text[0] = 0x0D;  // a text
  text[4 + 7 * 8 + 2] = 3;
  text.replace(text.size() - 3, 2, "AB");
  const std::string plmSeed = seed + line + text + line;
  const std::size_t runs = RunFileMutations(
      "plm-file", "drawing.plm", {plmSeed}, drawings::ReadDrawingFile, [](const drawings::DrawingModel&, const std::string& input) {
        for (const plm::Record& r : plm::ReadPlm(input).records)
          for (double v : r.values) EXPECT_TRUE(std::isfinite(v));
      });
  fs::remove(Scratch("drawing.MET"));
  EXPECT_GT(runs, 1u);
}

TEST(Fuzz, StrokeFontFiles) {
  const std::string font = fuzz::ReadFileBytes(fs::path(PLAMOR_BIN_DIR) / "M_G_L.KVD");
  ASSERT_GT(font.size(), 35348u) << "the font file is built beside the programs";
  const fs::path file = Scratch("M_G_L.KVD");
  constexpr std::size_t kIndexEnd = 4 * (1 + 94 * 94);
  fuzz::Mutator pick(7);
  std::size_t accepted = 0;
  // Each input changes the index entries or the strokes of one row of the
  // font (the rest stays as it is), then every character of that row is read.
  const std::size_t runs = fuzz::RunMutations("stroke-font", {"row"}, [&](const std::string&) {
    const int row = 0x21 + static_cast<int>(pick.Below(94));
    std::string bytes = font;
    const std::size_t rowIndex = 4 * (1 + 94 * (row - 0x21));
    if (pick.Below(3) == 0) {
      bytes.replace(rowIndex, 4 * 94, fuzz::Mutator(pick.Next()).Mutate(font.substr(rowIndex, 4 * 94)).substr(0, 4 * 94));
    } else {
      std::uint32_t first = 0;
      std::memcpy(&first, font.data() + rowIndex, 4);
      const std::size_t from = std::max<std::size_t>(kIndexEnd, first & 0xFFFFFF);
      const std::size_t size = std::min<std::size_t>(4096, font.size() - std::min(from, font.size()));
      bytes.replace(from, size, fuzz::Mutator(pick.Next()).Mutate(font.substr(from, size)));
    }
    if (pick.Below(16) == 0) bytes.resize(pick.Below(bytes.size()));  // sometimes cut short
    WriteBytes(file, bytes);
    if (OpenKvd(file.c_str()) != 1) return false;
    static KvdStrokeList list;
    for (int column = 0x21; column <= 0x7E; ++column) {
      const int code = tessaro::JisToShiftJis(static_cast<std::uint16_t>(row << 8 | column));
      const int n = MyReadFont(code, 5.0, 3.0, &list);
      EXPECT_TRUE(n >= 0 && n <= KVD_MAX_STROKES && n == list.count);
      for (int k = 0; k < n; ++k) EXPECT_TRUE(std::isfinite(list.strokes[k].x) && std::isfinite(list.strokes[k].y));
      double left = 0, right = 0;
      GetKarning(code, 5.0, 3.0, &left, &right);
    }
    ++accepted;
    return true;
  }, {400, std::chrono::milliseconds(2000)});
  CloseKvd();
  fs::remove(file);
  EXPECT_GT(accepted, 1u);
  EXPECT_GT(runs, 1u);
}

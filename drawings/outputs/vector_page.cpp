#include "drawings/outputs/vector_page.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <sstream>
#include <stdexcept>

#include "drawings/outputs/drawing_output.h"
#include "drawings/outputs/page_drawing.h"
#include "drawings/outputs/pdf_content.h"
#include "drawings/outputs/pdf_file.h"
#include "drawings/outputs/svg_file.h"
#include "graphic/font_image.h"
#include "server/types.h"

namespace plamor::drawings {
namespace {

constexpr double kLineWidthMm = 0.2;
constexpr double kLineWidthPt = kLineWidthMm * kPointsPerMm;
// Elements in one piece of a page's content: small enough that a page of a
// million elements keeps every core busy, large enough that the pieces'
// own cost (a stream object, the pen set anew) stays small.
constexpr std::size_t kPieceElements = 16384;

// The sheet's page (onto the paper when one is given) and its drawing order.
PagePlan PlanOf(const DrawingModel& model, const PageOptions& options) {
  double shrink = 1;
  const SheetPage sheet = options.paper ? OntoPaper(PageOfSheet(model), *options.paper, shrink) : PageOfSheet(model);
  return PlanPage(model, sheet, shrink);
}

std::vector<std::uint8_t> FontImageOf(const PageOptions& options) {
  std::vector<std::uint8_t> image;
  graphic::LoadFontImage(options.fontPath, image);
  return image;
}

// "A3 landscape 1:500": the paper, its turn and the scale.
std::string SheetSubject(const SheetInfo& sheet, const SheetPage& page) {
  static const char* const kPapers[] = {"A0", "A1", "A2", "A3", "A4", "B0", "B1", "B2",
                                        "B3", "B4", "ANSI A", "ANSI B", "ANSI C", "ANSI D", "ANSI E"};
  std::ostringstream text;
  if (sheet.paperSize >= ktpA0 && sheet.paperSize < ktpFREE) {
    text << kPapers[sheet.paperSize] << (sheet.portrait ? " portrait" : " landscape");
  } else {
    text << "free size " << page.widthMm << " x " << page.heightMm << " mm";
  }
  char scale[32];
  std::snprintf(scale, sizeof scale, " 1:%.15g", sheet.scale);
  return text.str() + scale;
}

std::int64_t CreationTime(const PageOptions& options) {
  if (options.created) return *options.created;
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end != epoch && *end == '\0') return seconds;
  }
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// One piece of a page's content: elements [begin, end) of one layer run.
struct Piece {
  std::size_t page = 0, run = 0, begin = 0, end = 0;
  bool firstOfPage = false;
};

// The document's layers: every page's by name, in the order of their
// places (layer "0" first, then by number), and each page run's index.
std::vector<std::string> DocumentLayers(const std::vector<PagePlan>& plans, std::vector<std::vector<int>>& indexes) {
  std::vector<std::pair<std::int16_t, std::string>> all;
  for (const PagePlan& plan : plans)
    for (const LayerRun& run : plan.layers) {
      auto same = [&](const auto& layer) { return layer.second == run.name; };
      const auto found = std::find_if(all.begin(), all.end(), same);
      if (found == all.end()) all.emplace_back(run.layer, run.name);
      else found->first = std::min(found->first, run.layer);
    }
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (const auto& layer : all) names.push_back(layer.second);
  indexes.clear();
  for (const PagePlan& plan : plans) {
    indexes.emplace_back();
    for (const LayerRun& run : plan.layers)
      indexes.back().push_back(int(std::find(names.begin(), names.end(), run.name) - names.begin()));
  }
  return names;
}

std::vector<Piece> PiecesOf(const std::vector<PagePlan>& plans, std::vector<int>& piecesPerPage) {
  std::vector<Piece> pieces;
  for (std::size_t page = 0; page < plans.size(); ++page) {
    const std::size_t first = pieces.size();
    const auto& runs = plans[page].layers;
    for (std::size_t run = 0; run < runs.size(); ++run)
      for (std::size_t at = runs[run].begin; at < runs[run].end; at += kPieceElements)
        pieces.push_back({page, run, at, std::min(at + kPieceElements, runs[run].end), false});
    if (pieces.size() == first) pieces.push_back({page, 0, 0, 0, false});  // an empty page still sets its pen width
    pieces[first].firstOfPage = true;
    piecesPerPage.push_back(int(pieces.size() - first));
  }
  return pieces;
}

// The compressed pieces as the workers finish them, taken in order.
class FinishedPieces {
 public:
  explicit FinishedPieces(std::size_t count) : pieces_(count), done_(count, false) {}

  void Put(std::size_t index, std::string flate) {
    std::lock_guard lock(mutex_);
    pieces_[index] = std::move(flate);
    done_[index] = true;
    changed_.notify_all();
  }
  void Fail(std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    if (!error_) error_ = error;
    changed_.notify_all();
  }
  // Waits for the piece and hands it over; rethrows a worker's failure.
  std::string Take(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_[index] || error_; });
    if (error_) std::rethrow_exception(error_);
    return std::move(pieces_[index]);
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> pieces_;
  std::vector<bool> done_;
  std::exception_ptr error_;
};

// The pages' drawings are taken by address: a drawing of a million elements
// is not copied to be written.
void WritePdfOf(const std::vector<const DrawingModel*>& pages, const std::filesystem::path& file,
                const PageOptions& options) {
  if (pages.empty()) throw std::invalid_argument("a PDF file needs at least one page: " + file.string());
  std::vector<PagePlan> plans;
  for (const DrawingModel* model : pages) plans.push_back(PlanOf(*model, options));
  std::vector<std::vector<int>> layerIndexes;
  const std::vector<std::string> layers = DocumentLayers(plans, layerIndexes);
  std::vector<int> piecesPerPage;
  const std::vector<Piece> pieces = PiecesOf(plans, piecesPerPage);
  const std::vector<std::uint8_t> fontImage = FontImageOf(options);

  const auto pdf = CreatePdfDocument(
      file, {options.title, options.subject.value_or(SheetSubject(pages[0]->sheet, plans[0].sheet)),
             CreationTime(options)},
      layers);
  FinishedPieces finished(pieces.size());
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  auto work = [&] {
    try {
      graphic::Session session = PageSession(fontImage);
      FlateCompressor compressor;
      std::string content;
      for (std::size_t i = next++; i < pieces.size() && !stop; i = next++) {
        const Piece& piece = pieces[i];
        const PagePlan& plan = plans[piece.page];
        content.clear();
        PdfContent page(content, piece.firstOfPage, kLineWidthPt);
        if (piece.begin < piece.end) {
          DrawLayerPiece(*pages[piece.page], plan, plan.layers[piece.run], piece.begin, piece.end,
                         layerIndexes[piece.page][piece.run], session, page);
        }
        finished.Put(i, compressor.Compressed(content));
      }
    } catch (...) {
      finished.Fail(std::current_exception());
    }
  };
  {
    std::vector<std::jthread> workers;
    const std::size_t jobs = std::clamp<std::size_t>(options.jobs, 1, pieces.size());
    for (std::size_t j = 0; j < jobs; ++j) workers.emplace_back(work);
    struct StopOnLeave {
      std::atomic<bool>& stop;
      ~StopOnLeave() { stop = true; }
    } stopOnLeave{stop};
    std::size_t at = 0;
    for (std::size_t page = 0; page < plans.size(); ++page) {
      const SheetPage& sheet = plans[page].sheet;
      pdf->BeginPage(sheet.widthMm * kPointsPerMm, sheet.heightMm * kPointsPerMm, layerIndexes[page],
                     piecesPerPage[page]);
      for (int i = 0; i < piecesPerPage[page]; ++i, ++at) pdf->AddContent(finished.Take(at));
    }
  }
  pdf->Close();
}

}  // namespace

void WritePdfPages(const std::vector<DrawingModel>& pages, const std::filesystem::path& file,
                   const PageOptions& options) {
  std::vector<const DrawingModel*> drawings;
  for (const DrawingModel& model : pages) drawings.push_back(&model);
  WritePdfOf(drawings, file, options);
}

void WriteDrawingPage(const DrawingModel& model, PageFormat format, const std::filesystem::path& file,
                      const PageOptions& options) {
  if (format == PageFormat::kPdf) return WritePdfOf({&model}, file, options);
  const PagePlan plan = PlanOf(model, options);
  const auto svg = CreateSvgFile(file, plan.sheet.widthMm, plan.sheet.heightMm, options.title, kLineWidthPt);
  graphic::Session session = PageSession(FontImageOf(options));
  for (std::size_t run = 0; run < plan.layers.size(); ++run) {
    const LayerRun& layer = plan.layers[run];
    DrawLayerPiece(model, plan, layer, layer.begin, layer.end, int(run), session, *svg);
  }
  svg->Close();
}

namespace {

class Page final : public DrawingOutput {
 public:
  explicit Page(PageFormat format) : format_(format) {}
  std::string_view Ending() const override { return format_ == PageFormat::kPdf ? "pdf" : "svg"; }
  std::string Write(const DrawingModel& model, const std::filesystem::path& file,
                    const OutputOptions& options) const override {
    PageOptions page;
    page.title = options.title;
    page.fontPath = options.fontPath.string();
    page.paper = options.paper;
    WriteDrawingPage(model, format_, file, page);
    const SheetPage sheet = PageOfSheet(model);
    const PaperMm paper = options.paper.value_or(PaperMm{sheet.widthMm, sheet.heightMm});
    std::ostringstream size;
    size << paper.width << " x " << paper.height << " mm";
    return size.str();
  }

 private:
  PageFormat format_;
};

}  // namespace

const DrawingOutput& PdfOutput() {
  static const Page kPdf(PageFormat::kPdf);
  return kPdf;
}

const DrawingOutput& SvgOutput() {
  static const Page kSvg(PageFormat::kSvg);
  return kSvg;
}

}  // namespace plamor::drawings

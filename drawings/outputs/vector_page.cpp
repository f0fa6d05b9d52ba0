#include "drawings/outputs/vector_page.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "drawings/drawing_extents.h"
#include "drawings/outputs/drawing_output.h"
#include "server/elements/element_values.h"
#include "graphic/elements.h"
#include "graphic/font_image.h"
#include "drawings/outputs/pdf_file.h"
#include "drawings/outputs/svg_file.h"
#include "platform/cp932.h"

namespace plamor::drawings {
namespace {

constexpr double kLineWidthMm = 0.2;

// Draws every drawn element onto the page; `shrink` scales the
// dash patterns with the drawing.
void DrawElements(const DrawingModel& model, const SheetPage& sheet, double shrink, const std::string& fontPath,
                  graphic::PathWriter& page) {
  graphic::Session session;
  session.characterFrames = false;  // texts always as strokes, as the preview draws them
  graphic::LoadFontImage(fontPath, session.fontImage);
  session.world = {sheet.x0, sheet.y0, sheet.x1, sheet.y1, sheet.x1 - sheet.x0, sheet.y1 - sheet.y0};
  const graphic::Transform view(
      graphic::DRect{0, 0, sheet.widthMm * kPointsPerMm, sheet.heightMm * kPointsPerMm}, session.world);
  if (!view.Usable()) return;
  graphic::VectorSink sink(page, kPointsPerMm * shrink);
  graphic::ElementDrawing drawing(view, sink);
  const double scale = ScaleOf(model);
  std::string text;
  for (const Element& e : model.elements) {
    if (!IsDrawn(e)) continue;
    if (auto* l = std::get_if<LineElement>(&e)) {
      sink.SetDashPeriod(l->stroke.pitch / scale);
      graphic::DrawLine(drawing, session.world, l->x1, l->y1, l->x2, l->y2, StyleCode(l->stroke.style),
                        WriterPen(l->stroke.pen));
    } else if (auto* a = std::get_if<ArcElement>(&e)) {
      sink.SetDashPeriod(a->stroke.pitch / scale);
      graphic::DrawCircle(drawing, session.world, a->x, a->y, a->xr, a->yr, a->sAng, a->mang, a->lang,
                          StyleCode(a->stroke.style), WriterPen(a->stroke.pen));
    } else if (auto* t = std::get_if<TextElement>(&e)) {
      text = cp932::FromUtf8(t->text);
      graphic::TextElement g;
      g.x = t->x;
      g.y = t->y;
      g.width = t->width;
      g.height = t->height;
      g.spacing = t->between;
      g.rotationAngle = t->lang;
      g.slantAngle = t->sAng;
      g.vertical = t->vertical;
      g.colour = WriterPen(t->pen);
      g.text = text.c_str();
      g.length = static_cast<int>(strnlen(text.c_str(), graphic::kMaxTextBytes));
      graphic::DrawText(drawing, session, g);
    }
  }
  sink.Finish();
}

}  // namespace

namespace {

// The sheet's page (onto the paper when one is given) and how much the
// drawing shrinks on it.
SheetPage PageOf(const DrawingModel& model, const PageOptions& options, double& shrink) {
  shrink = 1;
  return options.paper ? OntoPaper(PageOfSheet(model), *options.paper, shrink) : PageOfSheet(model);
}

}  // namespace

void WriteDrawingPage(const DrawingModel& model, PageFormat format, const std::filesystem::path& file,
                      const PageOptions& options) {
  if (format == PageFormat::kPdf) return WritePdfPages({model}, file, options);
  double shrink = 1;
  const SheetPage sheet = PageOf(model, options, shrink);
  const auto svg = CreateSvgFile(file, sheet.widthMm, sheet.heightMm, options.title, kLineWidthMm * kPointsPerMm);
  DrawElements(model, sheet, shrink, options.fontPath, *svg);
  svg->Close();
}

void WritePdfPages(const std::vector<DrawingModel>& pages, const std::filesystem::path& file,
                   const PageOptions& options) {
  if (pages.empty()) throw std::invalid_argument("a PDF file needs at least one page: " + file.string());
  const auto pdf = CreatePdfDocument(file, options.title);
  for (const DrawingModel& model : pages) {
    double shrink = 1;
    const SheetPage sheet = PageOf(model, options, shrink);
    pdf->NewPage(sheet.widthMm * kPointsPerMm, sheet.heightMm * kPointsPerMm, kLineWidthMm * kPointsPerMm);
    DrawElements(model, sheet, shrink, options.fontPath, *pdf);
  }
  pdf->Close();
}

namespace {

class Page final : public DrawingOutput {
 public:
  explicit Page(PageFormat format) : format_(format) {}
  std::string_view Ending() const override { return format_ == PageFormat::kPdf ? "pdf" : "svg"; }
  std::string Write(const DrawingModel& model, const std::filesystem::path& file,
                    const OutputOptions& options) const override {
    WriteDrawingPage(model, format_, file, {options.title, options.fontPath.string(), options.paper});
    const SheetPage page = PageOfSheet(model);
    const PaperMm paper = options.paper.value_or(PaperMm{page.widthMm, page.heightMm});
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

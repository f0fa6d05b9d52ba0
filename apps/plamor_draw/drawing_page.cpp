#include "apps/plamor_draw/drawing_page.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "apps/plamor_draw/drawing_picture.h"
#include "graphic/elements.h"
#include "graphic/font_image.h"
#include "graphic/pdf_page.h"
#include "graphic/svg_page.h"
#include "platform/cp932.h"

namespace plamor::draw {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;
constexpr double kLineWidthMm = 0.2;

double ScaleOf(const DrawingModel& model) {
  const double s = model.sheet.scale;
  return std::isfinite(s) && s > 0 ? s : 1;
}

// The sheet scaled onto a paper turned as the sheet is, centred: the page
// becomes the paper and its area grows around the sheet's; `shrink` is the
// factor from the sheet's millimetres to the paper's.
SheetPage OntoPaper(const SheetPage& sheet, PaperMm paper, double& shrink) {
  if ((sheet.widthMm > sheet.heightMm) != (paper.width > paper.height)) std::swap(paper.width, paper.height);
  shrink = std::min(paper.width / sheet.widthMm, paper.height / sheet.heightMm);
  const double unitsPerMm = (sheet.x1 - sheet.x0) / sheet.widthMm / shrink;
  // The side that limits the shrink does not grow (no rounding may cut it).
  const double growX = std::max(0.0, (paper.width * unitsPerMm - (sheet.x1 - sheet.x0)) / 2);
  const double growY = std::max(0.0, (paper.height * unitsPerMm - (sheet.y1 - sheet.y0)) / 2);
  return {paper.width, paper.height, sheet.x0 - growX, sheet.y0 - growY, sheet.x1 + growX, sheet.y1 + growY};
}

// Draws every element but those of pen 0 onto the page; `shrink` scales the
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
    if (auto* l = std::get_if<LineElement>(&e)) {
      if ((l->stroke.pen & 7) == 0) continue;
      sink.SetDashPeriod(l->stroke.pitch / scale);
      graphic::DrawLine(drawing, session.world, l->x1, l->y1, l->x2, l->y2, CodeOfStyle(l->stroke.style),
                        l->stroke.pen & 7);
    } else if (auto* a = std::get_if<ArcElement>(&e)) {
      if ((a->stroke.pen & 7) == 0) continue;
      sink.SetDashPeriod(a->stroke.pitch / scale);
      graphic::DrawCircle(drawing, session.world, a->x, a->y, a->xr, a->yr, a->sAng, a->mang, a->lang,
                          CodeOfStyle(a->stroke.style), a->stroke.pen & 7);
    } else if (auto* t = std::get_if<TextElement>(&e)) {
      if ((t->pen & 7) == 0) continue;
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
      g.colour = t->pen & 7;
      g.text = text.c_str();
      g.length = static_cast<int>(strnlen(text.c_str(), graphic::kMaxTextBytes));
      graphic::DrawText(drawing, session, g);
    }
  }
  sink.Finish();
}

}  // namespace

SheetPage PageOfSheet(const DrawingModel& model) {
  const SheetInfo& s = model.sheet;
  const double scale = ScaleOf(model);
  SheetPage page;
  page.widthMm = s.portrait ? s.tate : s.yoko;
  page.heightMm = s.portrait ? s.yoko : s.tate;
  if (std::isfinite(page.widthMm) && std::isfinite(page.heightMm) && page.widthMm > 0 && page.heightMm > 0) {
    page.x1 = page.widthMm * scale;
    page.y1 = page.heightMm * scale;
    return page;
  }
  const DrawnBox area = DrawnArea(model);
  page = {(area.x1 - area.x0) / scale, (area.y1 - area.y0) / scale, area.x0, area.y0, area.x1, area.y1};
  return page;
}

void WriteDrawingPage(const DrawingModel& model, PageFormat format, const std::filesystem::path& file,
                      const PageOptions& options) {
  double shrink = 1;
  const SheetPage sheet = options.paper ? OntoPaper(PageOfSheet(model), *options.paper, shrink) : PageOfSheet(model);
  const double lineWidth = kLineWidthMm * kPointsPerMm;
  if (format == PageFormat::kPdf) {
    graphic::PdfPage pdf(file, sheet.widthMm * kPointsPerMm, sheet.heightMm * kPointsPerMm, options.title, lineWidth);
    DrawElements(model, sheet, shrink, options.fontPath, pdf);
    pdf.Close();
  } else {
    graphic::SvgPage svg(file, sheet.widthMm, sheet.heightMm, options.title, lineWidth);
    DrawElements(model, sheet, shrink, options.fontPath, svg);
    svg.Close();
  }
}

}  // namespace plamor::draw

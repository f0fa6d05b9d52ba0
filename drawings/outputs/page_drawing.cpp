#include "drawings/outputs/page_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

#include "drawings/layer_names.h"
#include "graphic/elements.h"
#include "graphic/vector_sink.h"
#include "platform/cp932.h"
#include "server/elements/element_values.h"

namespace plamor::drawings {
namespace {

// The pen an element is drawn with on the page: writer pen, style row and,
// for dashed rows, the pitch.
struct PagePen {
  int pen = 0, row = 0;
  double pitch = 0;
};

PagePen PenOf(const Element& e) {
  if (auto* t = std::get_if<TextElement>(&e)) return {WriterPen(t->pen), 0, 0};
  const Stroke& s = std::holds_alternative<LineElement>(e) ? std::get<LineElement>(e).stroke
                                                           : std::get<ArcElement>(e).stroke;
  const int row = StyleCode(s.style);
  return {WriterPen(s.pen), row, row != 0 ? s.pitch : 0};
}

constexpr int kPens = 8, kRows = 4;

// How many elements ahead of the one drawn its successors are fetched:
// enough to cover a fetch from memory while a line or two are drawn
// (measured on a million elements: 8 is too few, 64 no better).
constexpr std::size_t kPrefetchAhead = 24;

void Prefetch(const Element& e) {
  const char* bytes = reinterpret_cast<const char*>(&e);
  __builtin_prefetch(bytes);
  __builtin_prefetch(bytes + sizeof(Element) - 1);  // the variant's kind lies at its end
}

// The texts in the font's code (CP932), each distinct text converted once:
// a sheet repeats its station numbers and names thousands of times.
class TextsInFontCode {
 public:
  const std::string& Of(const std::string& utf8) {
    const auto [at, added] = converted_.try_emplace(utf8);
    if (added) at->second = cp932::FromUtf8(utf8);
    return at->second;
  }

 private:
  std::unordered_map<std::string, std::string> converted_;
};

// True when no stroke of the text can reach the sheet's edge, where it
// would be cut: the glyphs lie in their character cells, and the cells of
// `bytes` characters (at most) lie well within this reach of the base point.
bool WhollyInside(const TextElement& t, std::size_t bytes, const graphic::WorldWindow& world) {
  constexpr double kRadiansPerDegree = 0.017453292519943295;
  const double cell = std::fabs(t.width) + std::fabs(t.height) + std::fabs(t.between);
  const double reach = (double(bytes) + 2) * cell * (1 + std::fabs(std::tan(t.sAng * kRadiansPerDegree)));
  return std::isfinite(reach) && t.x - reach > std::min(world.x0, world.x1) &&
         t.x + reach < std::max(world.x0, world.x1) && t.y - reach > std::min(world.y0, world.y1) &&
         t.y + reach < std::max(world.y0, world.y1);
}

// What a text's strokes, relative to its base point, depend on: the text in
// the font's code, its sizes, angles, direction and pen.
std::string GroupKeyOf(const TextElement& t, const std::string& code) {
  const double values[] = {t.width, t.height, t.between, t.lang, t.sAng};
  const std::int32_t kinds[] = {t.vertical ? 1 : 0, WriterPen(t.pen)};
  std::string key = code;
  key.append(reinterpret_cast<const char*>(values), sizeof values);
  key.append(reinterpret_cast<const char*>(kinds), sizeof kinds);
  return key;
}

}  // namespace

PagePlan PlanPage(const DrawingModel& model, const SheetPage& sheet, double shrink) {
  PagePlan plan{sheet, shrink, {}, {}};
  // One pass over the drawing for each element's pen and layer: the later
  // passes read these, not the elements (a drawing of a million elements
  // is read once).
  const std::size_t count = model.elements.size();
  std::vector<PagePen> pens(count);
  std::vector<std::int16_t> layerOf(count);
  std::vector<bool> layerUsed(1 << 16, false);  // by layer + 32768
  for (std::size_t i = 0; i < count; ++i) {
    pens[i] = PenOf(model.elements[i]);
    layerOf[i] = LayerOf(model.elements[i]);
    if (pens[i].pen != 0) layerUsed[std::size_t(layerOf[i] + 32768)] = true;
  }
  // The layers by name, "0" first and the others by their lowest number.
  std::map<std::int16_t, std::string> names;
  for (std::size_t l = 0; l < layerUsed.size(); ++l)
    if (layerUsed[l]) names.emplace(std::int16_t(int(l) - 32768), std::string());
  std::vector<std::pair<std::int16_t, std::string>> runs;  // (place in the order, name)
  for (auto& [layer, name] : names) {
    name = LayerNameOf(model, layer);
    auto same = [&](const auto& run) { return run.second == name; };
    if (std::none_of(runs.begin(), runs.end(), same)) runs.emplace_back(name == "0" ? 0 : layer, name);
  }
  std::stable_sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::uint16_t> runOfLayer(1 << 16, 0);  // by layer + 32768
  for (const auto& [layer, name] : names) {
    auto same = [&](const auto& run) { return run.second == name; };
    runOfLayer[std::size_t(layer + 32768)] = std::uint16_t(std::find_if(runs.begin(), runs.end(), same) - runs.begin());
  }

  // One bucket per layer, pen and style row, filled in the model's order.
  const std::size_t buckets = runs.size() * kPens * kRows;
  std::vector<std::uint32_t> bucketOf(count);
  std::vector<std::size_t> start(buckets + 1, 0);
  for (std::size_t i = 0; i < count; ++i) {
    if (pens[i].pen == 0) continue;
    const std::size_t run = runOfLayer[std::size_t(layerOf[i] + 32768)];
    bucketOf[i] = std::uint32_t((run * kPens + std::size_t(pens[i].pen)) * kRows + std::size_t(pens[i].row));
    ++start[bucketOf[i] + 1];
  }
  for (std::size_t b = 0; b < buckets; ++b) start[b + 1] += start[b];
  plan.order.resize(start[buckets]);
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  for (std::size_t i = 0; i < count; ++i)
    if (pens[i].pen != 0) plan.order[next[bucketOf[i]]++] = std::uint32_t(i);
  // Dashed rows by pitch, the model's order kept for equal pitches.
  auto byPitch = [&](std::uint32_t a, std::uint32_t c) { return pens[a].pitch < pens[c].pitch; };
  for (std::size_t b = 0; b < buckets; ++b) {
    if (b % kRows == 0) continue;
    const auto first = plan.order.begin() + std::ptrdiff_t(start[b]), last = plan.order.begin() + std::ptrdiff_t(start[b + 1]);
    if (!std::is_sorted(first, last, byPitch)) std::stable_sort(first, last, byPitch);
  }
  for (std::size_t r = 0; r < runs.size(); ++r)
    plan.layers.push_back({runs[r].second, runs[r].first, start[r * kPens * kRows], start[(r + 1) * kPens * kRows]});
  return plan;
}

graphic::Session PageSession(const std::vector<std::uint8_t>& fontImage) {
  graphic::Session session;
  session.characterFrames = false;
  session.fontImage = fontImage;
  return session;
}

void DrawLayerPiece(const DrawingModel& model, const PagePlan& plan, const LayerRun& run, std::size_t begin,
                    std::size_t end, int layerIndex, graphic::Session& session, LayeredPage& page) {
  const SheetPage& sheet = plan.sheet;
  session.world = {sheet.x0, sheet.y0, sheet.x1, sheet.y1, sheet.x1 - sheet.x0, sheet.y1 - sheet.y0};
  const graphic::Transform view(
      graphic::DRect{0, 0, sheet.widthMm * kPointsPerMm, sheet.heightMm * kPointsPerMm}, session.world);
  if (!view.Usable()) return;
  page.BeginLayer(layerIndex, run.name);
  graphic::VectorSink sink(page, kPointsPerMm * plan.shrink);
  graphic::ElementDrawing drawing(view, sink);
  const double scale = ScaleOf(model);
  TextsInFontCode texts;
  for (std::size_t at = begin; at < end; ++at) {
    // The elements come in pen order, scattered over the drawing: ask for
    // those a few places on before they are needed.
    if (at + kPrefetchAhead < end) Prefetch(model.elements[plan.order[at + kPrefetchAhead]]);
    const Element& e = model.elements[plan.order[at]];
    if (auto* l = std::get_if<LineElement>(&e)) {
      sink.SetDashPeriod(l->stroke.pitch / scale);
      graphic::DrawLine(drawing, session.world, l->x1, l->y1, l->x2, l->y2, StyleCode(l->stroke.style),
                        WriterPen(l->stroke.pen));
    } else if (auto* a = std::get_if<ArcElement>(&e)) {
      sink.SetDashPeriod(a->stroke.pitch / scale);
      graphic::DrawCircle(drawing, session.world, a->x, a->y, a->xr, a->yr, a->sAng, a->mang, a->lang,
                          StyleCode(a->stroke.style), WriterPen(a->stroke.pen));
    } else if (auto* t = std::get_if<TextElement>(&e)) {
      const std::string& text = texts.Of(t->text);
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
      const graphic::DPoint origin = view.ToDevice(t->x, t->y);
      // A text far enough inside the sheet that none of its strokes is cut
      // is drawn once per piece and written again wherever it recurs.
      const bool whole = WhollyInside(*t, text.size(), session.world);
      if (whole) {
        sink.Finish();
        const std::string key = GroupKeyOf(*t, text);
        if (page.RepeatPlaced(key, origin)) continue;
        page.KeepPlaced(key);
      }
      sink.BeginPlaced(origin);
      graphic::DrawText(drawing, session, g);
      sink.EndPlaced();
    }
  }
  sink.Finish();
  page.EndLayer();
}

}  // namespace plamor::drawings

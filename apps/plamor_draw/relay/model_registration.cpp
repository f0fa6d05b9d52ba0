#include "apps/plamor_draw/relay/model_registration.h"

#include "server/types.h"

namespace plamor::draw {
namespace {

LineOptions Options(const drawings::Stroke& s, double scale) {
  return {s.pen, s.style, s.pitch / scale, s.layer};
}

}  // namespace

void RegisterModel(const drawings::DrawingModel& model, IPlamor& d) {
  const drawings::SheetInfo& s = model.sheet;
  const double scale = s.scale != 0 ? s.scale : 1.0;
  d.put_PaperScale(scale);
  d.put_Paper(s.portrait ? ktpPaperTate : ktpPaperYoko);
  d.put_PaperSize(s.paperSize);
  if (s.paperSize == ktpFREE) {
    d.put_PaperTate(s.tate);
    d.put_PaperYoko(s.yoko);
  }
  d.put_GentenX(s.gentenX);
  d.put_GentenY(s.gentenY);
  d.put_HouiAngle(s.houiAngle);
  d.put_PlamorFlg(s.plamorFlg);
  d.put_Memo(s.memo);
  d.put_TextKiten(ktpLeftBottom);  // the files hold the anchored corner already
  for (const auto& [layer, name] : model.layerNames) d.put_LayerName(layer, name);
  for (const drawings::Element& e : model.elements) {
    if (auto* l = std::get_if<drawings::LineElement>(&e)) {
      d.Sen(l->x1, l->y1, l->x2, l->y2, Options(l->stroke, scale));
    } else if (auto* a = std::get_if<drawings::ArcElement>(&e)) {
      d.Daenko(a->x, a->y, a->xr, a->yr, a->sAng, a->mang, a->lang, Options(a->stroke, scale));
    } else if (auto* t = std::get_if<drawings::TextElement>(&e)) {
      const TextOptions o{t->height / scale, t->width / scale, t->between / scale, t->pen, t->layer, ktpLeftBottom};
      const std::int32_t style = t->vertical ? ktpTate : ktpYoko;
      // An empty text only exists as one of the outline fonts; the stroke-font
      // call would drop it.
      if (t->fontType == 2) d.MojiExtMsG(t->x, t->y, t->text, style, t->sAng, t->lang, o);
      else if (t->fontType == 1 || t->text.empty()) d.MojiExtMsM(t->x, t->y, t->text, style, t->sAng, t->lang, o);
      else d.Moji(t->x, t->y, t->text, style, t->sAng, t->lang, o);
    }
  }
}

}  // namespace plamor::draw

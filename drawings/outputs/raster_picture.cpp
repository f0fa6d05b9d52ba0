#include "drawings/outputs/raster_picture.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "drawings/outputs/drawing_output.h"
#include "drawings/sheet_geometry.h"
#include "platform/cp932.h"
#include "server/elements/element_values.h"
#include "server/dialog/graphic_binding.h"

namespace plamor::drawings {
std::unique_ptr<DeviceContext> DrawPicture(const DrawingModel& model, int width, const std::string& fontPath) {
  width = std::max(width, 64);
  const DrawnBox box = DrawnArea(model);
  const double ratio = PictureRatio(model);
  const int height = std::clamp(static_cast<int>(std::lround(width * ratio)), 16, 8 * width);
  auto dc = std::make_unique<DeviceContext>(width, height, Rgb(0, 0, 0));
  const GraphicFunctions& g = Graphic();
  g.StartCadDraw(dc.get(), cp932::FromUtf8(fontPath).c_str());
  g.SetObjectView(dc.get());
  g.SetPlamorView(box.x0, box.y0, box.x1, box.y1);
  g.SetMojiWaku(0);
  for (const Element& e : model.elements) {
    if (auto* l = std::get_if<LineElement>(&e)) {
      g.DispLine(dc.get(), l->x1, l->y1, l->x2, l->y2, StyleCode(l->stroke.style), WriterPen(l->stroke.pen));
    } else if (auto* a = std::get_if<ArcElement>(&e)) {
      g.DispCircle(dc.get(), a->x, a->y, a->xr, a->yr, a->sAng, a->mang, a->lang, StyleCode(a->stroke.style),
                   WriterPen(a->stroke.pen));
    } else if (auto* t = std::get_if<TextElement>(&e)) {
      g.DispText(dc.get(), t->x, t->y, t->width, t->height, t->between, t->lang, t->sAng, t->vertical ? 1 : 0,
                 WriterPen(t->pen), cp932::FromUtf8(t->text).c_str());
    }
  }
  g.EndCadDraw();
  return dc;
}

namespace {

class Png final : public DrawingOutput {
 public:
  std::string_view Ending() const override { return "png"; }
  std::string Write(const DrawingModel& model, const std::filesystem::path& file,
                    const OutputOptions& options) const override {
    const auto picture = DrawPicture(model, options.widthPixels, options.fontPath.string());
    picture->SavePng(file.string());
    return std::to_string(picture->Width()) + " x " + std::to_string(picture->Height()) + " pixels";
  }
};

}  // namespace

const DrawingOutput& PngOutput() {
  static const Png kPng;
  return kPng;
}

}  // namespace plamor::drawings

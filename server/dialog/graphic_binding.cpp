#include "server/dialog/graphic_binding.h"

#include <memory>

#include "platform/dynamic_library.h"
#include "server/automation_error.h"

namespace plamor {

namespace {

constexpr const char* kGraphicLibrary = "libGraphic.so";

struct BoundGraphic {
  dynlib::DynamicLibrary library;
  GraphicFunctions functions;
};

std::unique_ptr<BoundGraphic> Bind() {
  auto library = dynlib::DynamicLibrary::Load(kGraphicLibrary);
  GraphicFunctions f{};
  f.StartCadDraw = library.Function<StartCadDrawFn>("StartCadDraw");
  f.EndCadDraw = library.Function<EndCadDrawFn>("EndCadDraw");
  f.SetObjectView = library.Function<SetObjectViewFn>("SetObjectView");
  f.SetPlamorView = library.Function<SetPlamorViewFn>("SetPlamorView");
  f.SetView = library.Function<SetViewFn>("SetView");
  f.DispLine = library.Function<DispLineFn>("DispLine");
  f.DispCircle = library.Function<DispCircleFn>("DispCircle");
  f.DispText = library.Function<DispTextFn>("DispText");
  f.SetMojiWaku = library.Function<SetMojiWakuFn>("SetMojiWaku");
  f.SetMojiEasy = library.Function<SetMojiEasyFn>("SetMojiEasy");
  return std::make_unique<BoundGraphic>(BoundGraphic{std::move(library), f});
}

}  // namespace

const GraphicFunctions& Graphic() {
  static std::unique_ptr<BoundGraphic> bound;
  if (!bound) {
    try {
      bound = Bind();
    } catch (const dynlib::LibraryError& e) {
      throw AutomationError(kErrLibraryLoad, e.what());
    }
  }
  return bound->functions;
}

}  // namespace plamor

// Every export of libGraphic.so, bound by name with dlsym as the drawing
// server binds them.
#include <dlfcn.h>

#include <string>

#include "test_support.h"

using namespace graphic_test;

namespace {

template <class F>
F Bind(void* lib, const char* name) {
  void* symbol = dlsym(lib, name);
  EXPECT_NE(symbol, nullptr) << name;
  return reinterpret_cast<F>(symbol);
}

}  // namespace

TEST(ExportsTest, EveryExportIsBoundByNameAndCallable) {
  const std::string path = std::string(PLAMOR_BIN_DIR) + "/libGraphic.so";
  void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  auto start = Bind<StartCadDrawFn>(lib, "StartCadDraw");
  auto end = Bind<EndCadDrawFn>(lib, "EndCadDraw");
  auto objectView = Bind<SetObjectViewFn>(lib, "SetObjectView");
  auto plamorView = Bind<SetPlamorViewFn>(lib, "SetPlamorView");
  auto view = Bind<SetViewFn>(lib, "SetView");
  auto line = Bind<DispLineFn>(lib, "DispLine");
  auto circle = Bind<DispCircleFn>(lib, "DispCircle");
  auto text = Bind<DispTextFn>(lib, "DispText");
  auto frames = Bind<SetMojiWakuFn>(lib, "SetMojiWaku");
  auto easy = Bind<SetMojiEasyFn>(lib, "SetMojiEasy");
  ASSERT_FALSE(::testing::Test::HasFailure());
  // The renderer's own parts stay hidden.
  EXPECT_EQ(dlsym(lib, "_ZN6plamor7graphic5StateEv"), nullptr);

  TempFolder folder;
  WriteFile(folder.path() / "M_G_L.KVD", FontBytes({{0x2341, {Move(0, 0), Draw(127, 127)}}}));
  PlamorDeviceContext dc(84, 59);
  EXPECT_EQ(start(&dc, (folder.path() / "M_G_L.KVD").c_str()), 0);
  EXPECT_EQ(objectView(&dc), 84);
  EXPECT_EQ(plamorView(0, 0, 42, 29), 0);
  EXPECT_EQ(frames(0), 0);
  EXPECT_EQ(easy(1), 1);
  EXPECT_EQ(easy(0), 0);
  EXPECT_EQ(line(&dc, 0, 0, 42, 29, 0, 2), -1);
  EXPECT_EQ(view(0, 0, 84, 58), 0);
  EXPECT_EQ(circle(&dc, 42, 29, 10, 10, 0, 360, 0, 1, 3), -1);
  EXPECT_EQ(text(&dc, 10, 10, 20, 20, 0, 0, 0, 0, 4, "A"), -1);
  EXPECT_EQ(frames(1), 1);
  end();
  EXPECT_EQ(dc.counters.polylines, 3);
  EXPECT_EQ(dc.GetPixel(0, 58), plamor::Rgb(255, 0, 0));   // the line's first pixel
  EXPECT_EQ(dc.GetPixel(10, 48), plamor::Rgb(0, 0, 255));  // the glyph's first pixel
  EXPECT_EQ(line(&dc, 0, 0, 42, 29, 0, 2), -1);            // after the session: nothing
  EXPECT_EQ(dc.counters.polylines, 3);
  dlclose(lib);
}

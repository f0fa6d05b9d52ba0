// Sheets laid out by a command go through the drawing server in process: the
// server writes the sheet's own file (committed by the caller only), and the
// sheet comes back as the server wrote it, with its layer names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/plamor_draw/relay/server_sheets.h"
#include "drawings/sheet_builder.h"
#include "tests/support/qt_app.h"

using namespace plamor;
using namespace plamor::draw;
namespace fs = std::filesystem;

TEST(ServerSheets, TheServerWritesEachSheetAndGivesItBack) {
  plamor::testing::App();
  const fs::path folder = fs::temp_directory_path() / ("plamor_server_sheets_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);

  drawings::SheetBuilder sheet;
  sheet.NameLayer(2, "grid");
  sheet.Use({2, 2, 0, 0});
  sheet.Rectangle({10, 10}, {410, 287});
  sheet.Text({20, 20}, "12.400k", 5);

  ServerSheets server(host::Transport::InProcess);
  {
    OutputTarget dxf(folder / "sheet-1.dxf");
    const drawings::DrawingModel written = server.Draw(sheet.Model(), &dxf);
    EXPECT_EQ(written.elements.size(), 5u);
    EXPECT_EQ(written.layerNames.at(2), "grid");
    EXPECT_FALSE(fs::exists(dxf.Final())) << "only the caller puts the file in place";
    ASSERT_TRUE(fs::exists(dxf.Temporary()));
    std::ifstream in(dxf.Temporary());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("grid"), std::string::npos) << "the layer is named in the DXF";
    dxf.Commit();
  }
  EXPECT_TRUE(fs::exists(folder / "sheet-1.dxf"));
  // Without a file of its own the sheet is still drawn by the server.
  const drawings::DrawingModel second = server.Draw(sheet.Model(), nullptr);
  EXPECT_EQ(second.elements.size(), 5u);
  const auto& text = std::get<drawings::TextElement>(second.elements.back());
  EXPECT_EQ(text.text, "12.400k");
  fs::remove_all(folder);
}

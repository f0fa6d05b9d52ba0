// The river page as an engineer works with it: the example river opened as
// a folder (from the command line's list of files), its sections listed in
// river order, a section's surveys shown, its profile, the hydraulic table
// filled; a
// list of section files opens the same way; a faulty file is refused and the
// page stays as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>

#include "apps/plamor_viewer/river_page.h"
#include "apps/plamor_viewer/river_table_model.h"
#include "apps/plamor_viewer/section_view.h"
#include "apps/plamor_viewer/viewer_window.h"
#include "hydraulics/river_table.h"
#include "sheets/river_profile.h"
#include "tests/plamor_viewer/viewer_session.h"

namespace {

using plamor::viewer::RiverPage;

const std::filesystem::path kRiver = PLAMOR_SOURCE_DIR "/examples/river";

TEST(RiverPage, ListsSectionsInOrderShowsTheirSurveysAndTheTable) {
  plamor::testing::ViewerSession session;
  ASSERT_TRUE(session.folder.isValid());
  QTemporaryDir& folder = session.folder;

  plamor::viewer::ViewerWindow window;
  window.resize(1280, 800);
  window.show();
  ASSERT_TRUE(window.OpenFiles({kRiver}));
  RiverPage& page = *window.River();
  EXPECT_EQ(window.Tabs()->currentWidget(), &page);
  const std::vector<std::filesystem::path> files = plamor::viewer::RiverFilesIn(kRiver);
  ASSERT_EQ(files.size(), 36u);  // twelve sections, three surveys each; plan/ and the script are not sections
  const plamor::survey::River river = plamor::survey::ReadRiver(files);

  // The sections by distance mark from the mouth upstream, with their number of surveys.
  QListWidget* list = page.SectionList();
  ASSERT_EQ(list->count(), 12);
  double before = -1;
  for (int row = 0; row < list->count(); ++row) {
    const QString text = list->item(row)->text();
    const double km = text.section(' ', 0, 0).toDouble();
    EXPECT_GT(km, before) << text.toStdString();
    EXPECT_NEAR(km, river.sections[std::size_t(row)].distanceMark, 1e-9);
    EXPECT_TRUE(text.endsWith("(3 回)")) << text.toStdString();
    before = km;
  }
  EXPECT_EQ(list->item(0)->text(), "22.0 km   (3 回)");

  // A section picked in the list is the one shown, with all its surveys.
  list->setCurrentRow(3);
  ASSERT_NE(page.Section()->Section(), nullptr);
  EXPECT_DOUBLE_EQ(page.Section()->Section()->distanceMark, river.sections[3].distanceMark);
  ASSERT_EQ(page.Section()->Section()->surveys.size(), 3u);
  EXPECT_EQ(page.Section()->Section()->surveys[2].date, river.sections[3].surveys[2].date);

  // The table: a row per section and survey in river order, at each survey's water surface.
  const auto rows = plamor::hydraulics::TabulateRiver(river, {plamor::hydraulics::StageSource::OwnWaterSurface(), {}});
  const plamor::viewer::RiverTableModel& table = *page.Table();
  ASSERT_EQ(table.rowCount(), 36);
  for (int row = 0; row < table.rowCount(); ++row) {
    const auto& r = rows[std::size_t(row)];
    EXPECT_EQ(table.data(table.index(row, 0), Qt::DisplayRole).toString(), QString::number(r.distanceMark, 'f', 1));
    EXPECT_EQ(table.data(table.index(row, 1), Qt::DisplayRole).toString(),
              QString::fromStdString(plamor::survey::IsoDate(r.date)));
    EXPECT_EQ(table.data(table.index(row, 3), Qt::DisplayRole).toString(), QString::number(r.flow.area, 'f', 2));
    EXPECT_GT(r.flow.area, 0);
  }

  // The profile: the sheets plamor-draw river profile lays out, the first one shown.
  ASSERT_EQ(page.ProfileSheets().size(), 1u);
  EXPECT_EQ(page.ProfileSheetChoice()->count(), 1);
  EXPECT_EQ(page.ProfileSheetChoice()->itemText(0), "1 / 1   22.0〜24.2 km");
  EXPECT_EQ(page.ProfileSheets()[0].elements.size(), plamor::sheets::DrawRiverProfile(river, {})[0].elements.size());

  // The pictures an engineer sees: the section, the profile and the table.
  QApplication::processEvents();
  const QString shots = PLAMOR_BIN_DIR "/../viewer-screenshots";
  ASSERT_TRUE(QDir().mkpath(shots));
  list->setCurrentRow(0);
  QApplication::processEvents();
  EXPECT_TRUE(window.grab().save(shots + "/river.png", "PNG"));
  ASSERT_EQ(page.Views()->tabText(1), "縦断図");
  page.Views()->setCurrentIndex(1);
  QApplication::processEvents();
  EXPECT_TRUE(window.grab().save(shots + "/river-profile.png", "PNG"));
  page.Views()->setCurrentIndex(2);
  QApplication::processEvents();
  EXPECT_TRUE(window.grab().save(shots + "/river-table.png", "PNG"));
  page.Views()->setCurrentIndex(0);

  // A faulty file among them is refused, and the page stays as it was.
  const QString broken = folder.filePath("broken");
  ASSERT_TRUE(QDir().mkpath(broken));
  for (const auto& f : files)
    ASSERT_TRUE(QFile::copy(QString::fromStdString(f.string()), broken + "/" + QString::fromStdString(f.filename().string())));
  {
    std::ofstream bad((broken + "/" + QString::fromStdString(files[4].filename().string())).toStdString(), std::ios::app);
    bad << "0,x,30.0,\n";
  }
  EXPECT_FALSE(page.OpenRiver({broken.toStdString()}));
  EXPECT_EQ(list->count(), 12);
  EXPECT_EQ(page.River()->sections.size(), 12u);
  ASSERT_TRUE(QDir().mkpath(folder.filePath("empty")));
  EXPECT_FALSE(page.OpenRiver({folder.filePath("empty").toStdString()}));  // a folder without sections
  EXPECT_EQ(table.rowCount(), 36);

  // A list of section files is a river too.
  ASSERT_TRUE(window.OpenFiles({files[0], files[1], files[3]}));
  EXPECT_EQ(window.Tabs()->currentWidget(), &page);
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), "22.0 km   (2 回)");
  EXPECT_EQ(list->item(1)->text(), "22.2 km   (1 回)");
  EXPECT_EQ(table.rowCount(), 3);
}

}  // namespace

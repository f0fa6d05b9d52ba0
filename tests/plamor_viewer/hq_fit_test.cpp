// The H-Q page's fit as an engineer works with it: the curve over the
// chart, a measurement left out by a click on its row (refitted, drawn
// hollow), taken in again, splits that make segments, splits the fit cannot
// take said in the status with no curve left, and the drawing carrying the
// formula.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdlib>

#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/rating_overlay.h"
#include "apps/plamor_viewer/viewer_window.h"
#include "charts/picture_box.h"
#include "charts/tbunpu.h"
#include "charts/tbunpu_chart.h"
#include "platform/prompts_batch.h"
#include "tests/plamor_viewer/viewer_session.h"

namespace {

using plamor::viewer::HqPage;

template <typename T>
T* Named(QWidget* page, const char* name) {
  T* widget = page->findChild<T*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

QLineEdit* FieldWithPlaceholder(QWidget* page, const QString& placeholder) {
  for (QLineEdit* e : page->findChildren<QLineEdit*>())
    if (e->placeholderText() == placeholder) return e;
  ADD_FAILURE() << placeholder.toStdString();
  return nullptr;
}

void ClickRow(QTableWidget* table, int row) {
  table->scrollToItem(table->item(row, 0));
  const QRect cell = table->visualItemRect(table->item(row, 0));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

struct Marks {
  int red = 0, white = 0, pixels = 0;
};

// The red and white pixels of the chart (the overlay drawn over it) within
// `radius` pixels of a sheet point.
Marks MarksAround(const plamor::charts::TBunpu& chart, plamor::sheets::SheetPoint at, double radius) {
  const QImage shot = const_cast<plamor::charts::TBunpu&>(chart).grab().toImage();
  const plamor::charts::HqPlotFrame frame = plamor::charts::HqPlotFrameOf(chart.PictureArea().Picture());
  const plamor::sheets::PicturePoint p = plamor::sheets::OnChartPicture(frame, at);
  Marks marks;
  for (int y = int(p.y - radius) - 1; y <= int(p.y + radius) + 1; ++y)
    for (int x = int(p.x - radius) - 1; x <= int(p.x + radius) + 1; ++x) {
      if (std::hypot(x - p.x, y - p.y) > radius) continue;
      const QColor c = shot.pixelColor(x, y);
      ++marks.pixels;
      if (c.red() > 180 && c.green() < 120 && c.blue() < 120) ++marks.red;
      if (c.red() > 240 && c.green() > 240 && c.blue() > 240) ++marks.white;
    }
  return marks;
}

std::string FileText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

TEST(HqPageFit, RefitsOnExclusionAndSplitsAndSaysWhatItCannotFit) {
  plamor::testing::ViewerSession session;
  ASSERT_TRUE(session.folder.isValid());
  QTemporaryDir& folder = session.folder;

  plamor::viewer::ViewerWindow window;
  window.resize(1280, 800);
  window.show();
  const std::filesystem::path station = PLAMOR_SOURCE_DIR "/examples/hq/arami_bashi_2023.csv";
  ASSERT_TRUE(window.OpenFiles({station}));
  HqPage& page = *window.Hq();
  const plamor::survey::HqTable table = plamor::survey::ReadHqTable(station);
  auto* chart = page.findChild<plamor::charts::TBunpu*>();
  auto* status = Named<QLabel>(&page, "fitStatus");
  auto* segments = Named<QTableWidget>(&page, "segments");
  auto* measurements = Named<QTableWidget>(&page, "measurements");
  QLineEdit* splits = FieldWithPlaceholder(&page, "例 1.2,2.4");
  QLineEdit* excluded = FieldWithPlaceholder(&page, "例 3,7");
  QLineEdit* extendTo = FieldWithPlaceholder(&page, "例 3.5");
  ASSERT_TRUE(chart && status && segments && measurements && splits && excluded && extendTo);
  EXPECT_FALSE(page.Fit());

  page.findChild<QCheckBox*>()->setChecked(true);
  ASSERT_TRUE(page.Fit());
  ASSERT_EQ(page.Fit()->formula.segments.size(), 1u);
  EXPECT_EQ(segments->rowCount(), 1);
  EXPECT_TRUE(page.Overlay().Showing());
  const plamor::hydraulics::RatingSegment whole = page.Fit()->formula.segments[0];
  QApplication::processEvents();
  const plamor::sheets::HqSheetAxes axes = plamor::sheets::SheetAxesOf(*chart, plamor::survey::kDischarge);
  const plamor::sheets::SheetPoint third = plamor::sheets::MarkerPoints(table, plamor::survey::kDischarge, axes)[2];
  EXPECT_GT(MarksAround(*chart, third, 2.5).red, 0) << "measurement 3 is a filled dot while fitted";

  // A click on the row of measurement 3 leaves it out: refitted, drawn hollow.
  ClickRow(measurements, 2);
  EXPECT_EQ(excluded->text(), "3");
  ASSERT_TRUE(page.Fit());
  EXPECT_TRUE(page.Fit()->measurements[2].excluded);
  EXPECT_NE(page.Fit()->formula.segments[0].a, whole.a);
  EXPECT_NE(page.Fit()->formula.segments[0].b, whole.b);
  EXPECT_EQ(page.Fit()->formula.segments[0].n, whole.n - 1);
  ASSERT_EQ(page.Overlay().Excluded().size(), 1u);
  EXPECT_EQ(page.Overlay().Excluded()[0].label, "3");
  QApplication::processEvents();
  const Marks inside = MarksAround(*chart, third, 1.5), ring = MarksAround(*chart, third, 4.5);
  EXPECT_EQ(inside.white, inside.pixels) << "hollow inside";
  EXPECT_GT(ring.red, 4) << "its circle";
  EXPECT_EQ(measurements->item(2, 7)->text(), "除外");

  // Clicked again, it is taken in again and the fit is the first one.
  ClickRow(measurements, 2);
  EXPECT_EQ(excluded->text(), "");
  ASSERT_TRUE(page.Fit());
  EXPECT_EQ(page.Fit()->formula.segments[0].a, whole.a);
  EXPECT_TRUE(page.Overlay().Excluded().empty());

  // Splits make segments, continuous at each.
  splits->setText("1.0,2.0");
  ASSERT_TRUE(page.Fit());
  ASSERT_EQ(page.Fit()->formula.segments.size(), 3u);
  EXPECT_EQ(segments->rowCount(), 3);
  EXPECT_EQ(page.Fit()->formula.segments[1].from, 1.0);
  EXPECT_FALSE(status->text().contains("segment")) << status->text().toStdString();

  // Splits that do not rise, and a segment of two measurements: said in the
  // status, no curve left, the page still there; a good split brings it back.
  splits->setText("2.0,1.0");
  EXPECT_FALSE(page.Fit());
  EXPECT_FALSE(page.Overlay().Showing());
  EXPECT_TRUE(status->text().startsWith("区分水位: ")) << status->text().toStdString();
  EXPECT_EQ(segments->rowCount(), 0);
  splits->setText("0.5");
  EXPECT_FALSE(page.Fit());
  EXPECT_FALSE(page.Overlay().Showing());
  EXPECT_TRUE(status->text().contains("segment 1 (H < 0.50)")) << status->text().toStdString();
  EXPECT_TRUE(status->text().contains("at least 3")) << status->text().toStdString();
  excluded->setText("99");
  EXPECT_TRUE(status->text().contains("99")) << status->text().toStdString();
  excluded->setText("3");
  splits->setText("1.0");
  ASSERT_TRUE(page.Fit());
  EXPECT_EQ(page.Fit()->formula.segments.size(), 2u);
  EXPECT_TRUE(page.Overlay().Showing());

  // An extension below the formula's top is said; the curve stays unextended.
  extendTo->setText("2.0");
  EXPECT_TRUE(status->text().startsWith("延長水位: ")) << status->text().toStdString();
  EXPECT_TRUE(page.Overlay().Showing());
  extendTo->setText("3.5");
  EXPECT_TRUE(status->text().startsWith("H－Q式: 2 区間")) << status->text().toStdString();

  // On the √Q chart the same fit as straight lines; on the area chart none.
  auto* kind = Named<QComboBox>(&page, "kind");
  ASSERT_NE(kind, nullptr);
  kind->setCurrentIndex(plamor::survey::kRootDischarge);
  ASSERT_TRUE(page.Fit());
  EXPECT_TRUE(page.Overlay().Showing());
  QApplication::processEvents();
  const QString shots = PLAMOR_BIN_DIR "/../viewer-screenshots";
  ASSERT_TRUE(QDir().mkpath(shots));
  EXPECT_TRUE(window.grab().save(shots + "/hq-fit-sqrt.png", "PNG"));
  kind->setCurrentIndex(plamor::survey::kArea);
  EXPECT_FALSE(page.Fit());
  EXPECT_FALSE(page.Overlay().Showing());
  EXPECT_TRUE(status->text().startsWith("H－Q式は")) << status->text().toStdString();
  kind->setCurrentIndex(plamor::survey::kDischarge);
  ASSERT_TRUE(page.Fit());

  // The picture an engineer sees.
  QApplication::processEvents();
  EXPECT_TRUE(window.grab().save(shots + "/hq-fit.png", "PNG"));

  // The drawing carries the formulas of both segments (in the drawing's
  // characters, the square as a raised "2").
  const QString target = folder.filePath("fit.dxf");
  plamor::prompts::BatchPrompter prompter({}, {target.toStdString()});
  plamor::prompts::SetCurrent(&prompter);
  for (QPushButton* b : page.findChildren<QPushButton*>())
    if (b->text() == "図面作成") b->click();
  plamor::prompts::SetCurrent(nullptr);
  const std::string dxf = FileText(target);
  ASSERT_FALSE(dxf.empty());
  // ... and is the drawing plamor-draw makes with the same fit, byte for byte.
  QProcess draw;
  draw.start(PLAMOR_BIN_DIR "/plamor-draw",
             {"hq", QString::fromStdString(station.string()), "--kind", "Q", "--fit", "--segments", "1.0", "--exclude",
              "3", "--extend-to", "3.5", "--inproc", "-o", folder.filePath("draw.dxf")});
  ASSERT_TRUE(draw.waitForFinished(60000));
  EXPECT_EQ(draw.exitCode(), 0) << draw.readAllStandardError().toStdString();
  EXPECT_TRUE(dxf == FileText(folder.filePath("draw.dxf")));
  for (std::size_t k = 0; k < 2; ++k) {
    const std::string formula = plamor::hydraulics::FormulaText(page.Fit()->formula, k);
    EXPECT_NE(dxf.find(formula.substr(0, formula.find("²"))), std::string::npos) << formula;
  }
}

}  // namespace

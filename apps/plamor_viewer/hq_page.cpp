#include "apps/plamor_viewer/hq_page.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include "apps/plamor_viewer/report.h"
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "sheets/hq_chart.h"
#include "sheets/hq_pens.h"
#include "charts/tbunpu.h"

namespace plamor::viewer {

HqPage::HqPage(QWidget* parent)
    : QWidget(parent), kind_(new QComboBox), station_(new QLabel), chart_(new charts::TBunpu) {
  for (const char* k : {"H－Q  (流量)", "H－A  (断面積)", "H－B  (水面幅)", "H－V  (流速)", "H－√Q"})
    kind_->addItem(QString::fromUtf8(k));
  auto* open = new QPushButton("流量観測表を開く…");
  auto* make = new QPushButton("図面作成");
  auto* bar = new QHBoxLayout;
  bar->addWidget(open);
  bar->addWidget(kind_);
  bar->addWidget(station_, 1);
  bar->addWidget(make);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(chart_, 1);
  chart_->setMinimumSize(480, 360);
  chart_->installEventFilter(this);
  connect(open, &QPushButton::clicked, this, &HqPage::OpenFile);
  connect(make, &QPushButton::clicked, this, &HqPage::MakeDrawing);
  connect(kind_, &QComboBox::currentIndexChanged, this, &HqPage::Redraw);
}

survey::HqKind HqPage::Kind() const { return static_cast<survey::HqKind>(kind_->currentIndex()); }

bool HqPage::OpenTable(const std::filesystem::path& file) {
  try {
    table_ = survey::ReadHqTable(file);
  } catch (const std::exception& e) {
    Report(this, "流量観測表", QString::fromStdString(e.what()));
    return false;
  }
  station_->setText(QString::fromStdString(table_->river + "  " + table_->station + "  " +
                                           std::to_string(table_->year) + "年  " +
                                           std::to_string(table_->measurements.size()) + "回"));
  Redraw();
  return true;
}

void HqPage::OpenFile() {
  const QString name = QFileDialog::getOpenFileName(this, "流量観測表を開く", {}, "流量観測表 (*.csv *.txt);;すべて (*)");
  if (!name.isEmpty()) OpenTable(name.toStdString());
}

void HqPage::Redraw() {
  if (!table_) return;
  if (!table_->hasColumn[Kind()]) {
    Report(this, "H－Q図", "この流量観測表には、選んだ量の列がありません。");
    return;
  }
  try {
    sheets::LoadHqChart(*table_, Kind(), std::nullopt, std::nullopt, *chart_);
    chart_->HQsakuga(Kind());
  } catch (const std::exception& e) {
    Report(this, "H－Q図", QString::fromStdString(e.what()));
  }
}

void HqPage::MakeDrawing() {
  if (!table_) return;
  try {
    if (!sheets::HqPensStored()) sheets::SaveHqPens(sheets::kDefaultHqPens);
    chart_->HQSakuzu(Kind());
    if (!chart_->LastDrawingFile().empty()) emit DrawingWritten(QString::fromStdString(chart_->LastDrawingFile()));
  } catch (const std::exception& e) {
    Report(this, "図面作成", QString::fromStdString(e.what()));
  }
}

bool HqPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chart_ && event->type() == QEvent::Resize && table_)
    QTimer::singleShot(0, this, [this] { chart_->HQsakuga(Kind()); });
  return QWidget::eventFilter(watched, event);
}

}  // namespace plamor::viewer

#include "apps/plamor_viewer/sections_page.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include "apps/plamor_viewer/report.h"
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "charts/danmen.h"
#include "charts/host_error.h"

namespace plamor::viewer {

SectionsPage::SectionsPage(QWidget* parent)
    : QWidget(parent), list_(new QListWidget), chart_(new charts::Danmen) {
  auto* open = new QPushButton("観測ファイルを開く…");
  auto* make = new QPushButton("図面作成");
  auto* side = new QVBoxLayout;
  side->addWidget(open);
  side->addWidget(list_, 1);
  side->addWidget(make);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addWidget(chart_, 1);
  list_->setMaximumWidth(260);
  chart_->setMinimumSize(480, 320);
  chart_->installEventFilter(this);
  connect(open, &QPushButton::clicked, this, &SectionsPage::OpenFiles);
  connect(make, &QPushButton::clicked, this, &SectionsPage::MakeDrawing);
  connect(list_, &QListWidget::itemChanged, this, &SectionsPage::Ticked);
}

bool SectionsPage::AddFiles(const std::vector<std::filesystem::path>& files) {
  std::vector<survey::ObservationFile> added;
  try {
    for (const auto& f : files) added.push_back(survey::ReadObservationFile(f));
  } catch (const std::exception& e) {
    Report(this, "観測ファイル", QString::fromStdString(e.what()));
    return false;
  }
  const QSignalBlocker block(list_);
  for (auto& o : added) {
    auto* item = new QListWidgetItem(QString::fromStdString("第" + o.number + "回  " + o.file.filename().string()));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    list_->addItem(item);
    observations_.push_back(std::move(o));
  }
  Reload();
  return true;
}

void SectionsPage::OpenFiles() {
  const QStringList names = QFileDialog::getOpenFileNames(this, "観測ファイルを開く", {}, "観測ファイル (*.csv *.txt);;すべて (*)");
  std::vector<std::filesystem::path> files;
  for (const QString& n : names) files.emplace_back(n.toStdString());
  if (!files.empty()) AddFiles(files);
}

// Loads every observation into the chart again and draws the ticked ones.
void SectionsPage::Reload() {
  try {
    chart_->Clear();
    for (const auto& o : observations_) chart_->SetData(o.lines);
    for (int k = 1; k <= list_->count(); ++k)
      if (list_->item(k - 1)->checkState() == Qt::Checked) chart_->DanmenZu(k);
  } catch (const std::exception& e) {
    Report(this, "横断面", QString::fromStdString(e.what()));
  }
}

void SectionsPage::Ticked(QListWidgetItem* item) {
  const int k = list_->row(item) + 1;
  try {
    if (item->checkState() == Qt::Checked) {
      chart_->DanmenZu(k);
    } else {
      chart_->DanmenZu(-k);
      chart_->Redisp();  // a clean chart instead of the white trace of the hidden one
    }
  } catch (const std::exception& e) {
    Report(this, "横断面", QString::fromStdString(e.what()));
  }
}

void SectionsPage::MakeDrawing() {
  try {
    chart_->CreatePlamor();
    if (!chart_->LastDrawingFile().empty()) emit DrawingWritten(QString::fromStdString(chart_->LastDrawingFile()));
  } catch (const std::exception& e) {
    Report(this, "図面作成", QString::fromStdString(e.what()));
  }
}

bool SectionsPage::eventFilter(QObject* watched, QEvent* event) {
  // The control keeps its picture on resizing; the page draws it anew at the new size.
  if (watched == chart_ && event->type() == QEvent::Resize && !observations_.empty())
    QTimer::singleShot(0, this, [this] { chart_->Redisp(); });
  return QWidget::eventFilter(watched, event);
}

}  // namespace plamor::viewer

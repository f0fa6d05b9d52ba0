#include "apps/plamor_viewer/hq_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "apps/plamor_viewer/elements_before_output.h"
#include "apps/plamor_viewer/fit_tables.h"
#include "apps/plamor_viewer/rating_overlay.h"
#include "apps/plamor_viewer/report.h"
#include "charts/tbunpu.h"
#include "sheets/excluded_markers.h"
#include "sheets/hq_chart.h"
#include "sheets/hq_pens.h"

namespace plamor::viewer {
namespace {

// The labels of the field, none for a blank one; a faulty field is said in `fault`.
std::vector<std::string> LabelsOf(const QLineEdit& field, QString* fault = nullptr) {
  const std::string text = field.text().trimmed().toStdString();
  if (text.empty()) return {};
  try {
    return hydraulics::ParseLabels(text);
  } catch (const std::invalid_argument& e) {
    if (fault) *fault = QString("除外: ") + e.what();
    return {};
  }
}

QLineEdit* Field(const QString& placeholder, const QString& tip, int width) {
  auto* field = new QLineEdit;
  field->setPlaceholderText(placeholder);
  field->setToolTip(tip);
  field->setMaximumWidth(width);
  return field;
}

}  // namespace

HqPage::HqPage(QWidget* parent)
    : QWidget(parent),
      kind_(new QComboBox),
      station_(new QLabel),
      fitOn_(new QCheckBox("H－Q式を当てはめる")),
      method_(new QComboBox),
      splits_(Field("例 1.2,2.4", "区間を分ける水位 (m)", 120)),
      excluded_(Field("例 3,7", "当てはめから除く観測の番号 (表の行をクリックしても切り替わる)", 120)),
      extendTo_(Field("例 3.5", "曲線を破線で延ばす水位 (m)", 70)),
      chart_(new charts::TBunpu),
      overlay_(new RatingOverlay(*chart_)),
      segments_(new QTableWidget),
      measurements_(new QTableWidget),
      status_(new QLabel) {
  for (const char* k : {"H－Q  (流量)", "H－A  (断面積)", "H－B  (水面幅)", "H－V  (流速)", "H－√Q"})
    kind_->addItem(QString::fromUtf8(k));
  method_->addItem("Q の最小二乗", int(hydraulics::FitMethod::kQ));
  method_->addItem("√Q の直線", int(hydraulics::FitMethod::kSqrt));
  auto* open = new QPushButton("流量観測表を開く…");
  auto* make = new QPushButton("図面作成");
  auto* bar = new QHBoxLayout;
  bar->addWidget(open);
  bar->addWidget(kind_);
  bar->addWidget(station_, 1);
  bar->addWidget(make);
  auto* fitBar = new QHBoxLayout;
  fitBar->addWidget(fitOn_);
  fitBar->addWidget(method_);
  fitBar->addWidget(new QLabel("区分水位"));
  fitBar->addWidget(splits_);
  fitBar->addWidget(new QLabel("除外"));
  fitBar->addWidget(excluded_);
  fitBar->addWidget(new QLabel("延長水位"));
  fitBar->addWidget(extendTo_);
  fitBar->addStretch(1);

  kind_->setObjectName("kind");
  segments_->setObjectName("segments");
  measurements_->setObjectName("measurements");
  status_->setObjectName("fitStatus");
  status_->setWordWrap(true);
  segments_->setMaximumHeight(120);
  auto* side = new QWidget;
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  sideLayout->addWidget(segments_);
  sideLayout->addWidget(measurements_, 1);
  auto* splitter = new QSplitter;
  splitter->addWidget(chart_);
  splitter->addWidget(side);
  splitter->setStretchFactor(0, 1);
  splitter->setSizes({720, 380});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addLayout(fitBar);
  layout->addWidget(splitter, 1);
  layout->addWidget(status_);
  chart_->setMinimumSize(480, 360);
  chart_->installEventFilter(this);
  connect(open, &QPushButton::clicked, this, &HqPage::OpenFile);
  connect(make, &QPushButton::clicked, this, &HqPage::MakeDrawing);
  connect(kind_, &QComboBox::currentIndexChanged, this, &HqPage::Redraw);
  connect(fitOn_, &QCheckBox::toggled, this, &HqPage::Redraw);
  connect(method_, &QComboBox::currentIndexChanged, this, &HqPage::Redraw);
  for (QLineEdit* field : {splits_, excluded_, extendTo_}) connect(field, &QLineEdit::textChanged, this, &HqPage::Redraw);
  connect(measurements_, &QTableWidget::cellClicked, this, [this](int row, int) { ToggleExcluded(row); });
}

survey::HqKind HqPage::Kind() const { return static_cast<survey::HqKind>(kind_->currentIndex()); }

bool HqPage::FitsKind() const { return Kind() == survey::kDischarge || Kind() == survey::kRootDischarge; }

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

void HqPage::SetStatus(const QString& text, bool fault) {
  status_->setText(text);
  status_->setStyleSheet(fault ? "color: #c00000;" : "");
}

void HqPage::Redraw() {
  if (!table_) return;
  if (!table_->hasColumn[Kind()]) {
    Report(this, "H－Q図", "この流量観測表には、選んだ量の列がありません。");
    return;
  }
  Refit();
  try {
    if (fit_) sheets::LoadHqChartForFit(*table_, *fit_, Kind(), std::nullopt, std::nullopt, *chart_);
    else sheets::LoadHqChart(*table_, Kind(), std::nullopt, std::nullopt, *chart_);
    chart_->HQsakuga(Kind());
  } catch (const std::exception& e) {
    Report(this, "H－Q図", QString::fromStdString(e.what()));
  }
  ShowCurve();
}

// Fits the formula as the fields ask, or says in the status why it cannot.
void HqPage::Refit() {
  fit_.reset();
  QString fault;
  const std::vector<std::string> excluded = LabelsOf(*excluded_, &fault);
  if (fault.isEmpty() && fitOn_->isChecked() && FitsKind()) {
    hydraulics::RatingFitOptions options;
    options.method = static_cast<hydraulics::FitMethod>(method_->currentData().toInt());
    options.excluded = excluded;
    try {
      const std::string splits = splits_->text().trimmed().toStdString();
      if (!splits.empty()) options.splits = hydraulics::ParseSplits(splits);
    } catch (const std::invalid_argument& e) {
      fault = QString("区分水位: ") + e.what();
    }
    try {
      if (fault.isEmpty()) fit_ = hydraulics::FitRating(*table_, options);
    } catch (const std::exception& e) {  // FitError, an unknown label, a discharge not above 0
      fault = QString("当てはめできません: ") + e.what();
    }
  }
  if (!fault.isEmpty()) SetStatus(fault, true);
  else if (fitOn_->isChecked() && !FitsKind()) SetStatus("H－Q式は H－Q図と H－√Q図に描きます。", false);
  else SetStatus({}, false);
  ShowSegments(*segments_, fit_ ? &*fit_ : nullptr);
  ShowMeasurements(*measurements_, *table_, excluded, fit_ ? &*fit_ : nullptr);
}

// The curve of the fit over the chart as the chart now stands, laid out as
// the drawing lays it out.
void HqPage::ShowCurve() {
  overlay_->Remove();
  curve_.reset();
  if (!fit_) return;
  std::optional<double> extendTo;
  QString fault;
  if (const QString text = extendTo_->text().trimmed(); !text.isEmpty()) {
    bool number = false;
    extendTo = text.toDouble(&number);
    if (!number) {
      extendTo.reset();
      fault = "延長水位: \"" + text + "\" is not a number";
    }
  }
  const survey::HqKind kind = Kind();
  try {
    const sheets::HqSheetAxes axes = sheets::SheetAxesOf(*chart_, kind);
    const std::vector<sheets::SheetPoint> markers = sheets::MarkerPoints(*table_, kind, axes);
    try {
      curve_ = sheets::LayOutRatingCurve(fit_->formula, kind, axes, extendTo, markers);
    } catch (const std::invalid_argument& e) {  // an extension that does not lie above the formula's range
      fault = QString("延長水位: ") + e.what();
      curve_ = sheets::LayOutRatingCurve(fit_->formula, kind, axes, std::nullopt, markers);
    }
    std::vector<ExcludedMarker> hollow;
    for (std::size_t i : sheets::HollowMeasurements(*table_, *fit_))
      hollow.push_back({markers[i], table_->measurements[i].label});
    overlay_->Show(*curve_, std::move(hollow));
  } catch (const std::exception& e) {
    SetStatus(QString("曲線を描けません: ") + e.what(), true);
    return;
  }
  if (!fault.isEmpty()) {
    SetStatus(fault, true);
    return;
  }
  std::size_t left = 0;
  for (const auto& m : fit_->measurements) left += m.excluded ? 1 : 0;
  SetStatus(QString("H－Q式: %1 区間、%2 回の観測で当てはめ (除外 %3)")
                .arg(fit_->formula.segments.size())
                .arg(fit_->measurements.size() - left)
                .arg(left),
            false);
}

// A click on a measurement's row leaves it out of the fit, or takes it in again.
void HqPage::ToggleExcluded(int row) {
  if (!table_ || row < 0 || row >= int(table_->measurements.size())) return;
  const std::string& label = table_->measurements[std::size_t(row)].label;
  std::vector<std::string> labels = LabelsOf(*excluded_);
  if (auto at = std::find(labels.begin(), labels.end(), label); at != labels.end()) labels.erase(at);
  else labels.push_back(label);
  QStringList texts;
  for (const std::string& l : labels) texts << QString::fromStdString(l);
  excluded_->setText(texts.join(","));
}

void HqPage::MakeDrawing() {
  if (!table_) return;
  try {
    if (!sheets::HqPensStored()) sheets::SaveHqPens(sheets::kDefaultHqPens);
    // The drawing carries the curve and the hollow markers as plamor-draw hq --fit draws them.
    std::optional<ElementsBeforeOutput> fitted;
    if (fit_ && curve_) {
      const sheets::HqSheetAxes axes = sheets::SheetAxesOf(*chart_, Kind());
      fitted.emplace([this, axes, kind = Kind()](IPlamor& drawing) {
        sheets::RegisterRatingCurve(drawing, *curve_, sheets::HqCurvePen());
        sheets::RegisterExcludedMarkers(drawing, *table_, *fit_, kind, axes);
      });
    }
    chart_->HQSakuzu(Kind());
    if (!chart_->LastDrawingFile().empty()) emit DrawingWritten(QString::fromStdString(chart_->LastDrawingFile()));
  } catch (const std::exception& e) {
    Report(this, "図面作成", QString::fromStdString(e.what()));
  }
}

bool HqPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chart_ && event->type() == QEvent::Resize) {
    overlay_->setGeometry(chart_->rect());
    if (table_) QTimer::singleShot(0, this, [this] { chart_->HQsakuga(Kind()); });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plamor::viewer

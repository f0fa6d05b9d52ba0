#include "apps/plamor_viewer/fit_tables.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

#include "hydraulics/rating_fit.h"
#include "survey/hq_table.h"

namespace plamor::viewer {
namespace {

QString Number(double v, int decimals) { return QString::number(v, 'f', decimals); }

void SetUp(QTableWidget& table, const QStringList& headers, int rows) {
  table.clear();
  table.setColumnCount(int(headers.size()));
  table.setHorizontalHeaderLabels(headers);
  table.setRowCount(rows);
  table.verticalHeader()->hide();
  table.verticalHeader()->setDefaultSectionSize(22);
  table.setEditTriggers(QAbstractItemView::NoEditTriggers);
  table.setSelectionMode(QAbstractItemView::NoSelection);
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

void ShowSegments(QTableWidget& table, const hydraulics::RatingFit* fit) {
  const std::size_t count = fit ? fit->formula.segments.size() : 0;
  SetUp(table, {"区間", "水位 H", "a", "b", "n", "標準誤差 %", "r²"}, int(count));
  for (std::size_t k = 0; k < count; ++k) {
    const hydraulics::RatingSegment& s = fit->formula.segments[k];
    const int row = int(k);
    table.setItem(row, 0, Cell(QString::number(k + 1)));
    table.setItem(row, 1, Cell(QString::fromStdString(hydraulics::StageText(s.from) + " – " +
                                                      hydraulics::StageText(s.to))));
    table.setItem(row, 2, Cell(Number(s.a, 4)));
    table.setItem(row, 3, Cell(Number(s.b, 4)));
    table.setItem(row, 4, Cell(QString::number(s.n)));
    table.setItem(row, 5, Cell(Number(s.sePercent, 2)));
    table.setItem(row, 6, Cell(Number(s.r2, 5)));
  }
  table.resizeColumnsToContents();
}

void ShowMeasurements(QTableWidget& table, const survey::HqTable& hq, const std::vector<std::string>& excluded,
                      const hydraulics::RatingFit* fit) {
  SetUp(table, {"番号", "H", "Q", "区間", "Q式", "偏差 %", "外れ値", "除外"}, int(hq.measurements.size()));
  for (std::size_t i = 0; i < hq.measurements.size(); ++i) {
    const survey::Measurement& m = hq.measurements[i];
    const bool left = std::find(excluded.begin(), excluded.end(), m.label) != excluded.end();
    const int row = int(i);
    table.setItem(row, 0, Cell(QString::fromStdString(m.label)));
    table.setItem(row, 1, Cell(Number(m.stage, 2)));
    table.setItem(row, 2, Cell(Number(m.quantity[survey::kDischarge], 2)));
    if (fit) {
      const hydraulics::FittedMeasurement& f = fit->measurements[i];
      table.setItem(row, 3, Cell(QString::number(f.segment + 1)));
      table.setItem(row, 4, Cell(Number(f.fitted, 2)));
      table.setItem(row, 5, Cell(f.fitted == 0 ? QString() : Number(f.deviationPercent, 1)));
      table.setItem(row, 6, Cell(f.outlier ? "外れ" : ""));
    }
    table.setItem(row, 7, Cell(left ? "除外" : ""));
    for (int c = 0; c < table.columnCount(); ++c) {
      QTableWidgetItem* item = table.item(row, c);
      if (!item) table.setItem(row, c, item = Cell(""));
      if (left) item->setForeground(Qt::gray);
      else if (fit && fit->measurements[i].outlier) item->setForeground(QColor(200, 0, 0));
    }
  }
  table.resizeColumnsToContents();
}

}  // namespace plamor::viewer

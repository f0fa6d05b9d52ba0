#include "apps/plamor_viewer/river_table_model.h"

#include "sheets/river_sheet.h"

#include <optional>

namespace plamor::viewer {
namespace {

enum Column { kMark, kDate, kStage, kArea, kPerimeter, kWidth, kRadius, kDepth, kMeanBed, kDeepestBed, kColumns };

const char* const kHeadings[kColumns] = {"距離標 km", "測量日",   "水位 m",     "断面積 A m²",   "潤辺 P m",
                                         "水面幅 B m", "径深 R m", "水深 A/B m", "平均河床高 m", "最深河床高 m"};

QVariant Number(std::optional<double> v, int decimals) {
  return v ? QVariant(QString::number(*v, 'f', decimals)) : QVariant(QString());
}

}  // namespace

void RiverTableModel::SetRows(std::vector<hydraulics::TableRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int RiverTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int RiverTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant RiverTableModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const hydraulics::TableRow& r = rows_[std::size_t(index.row())];
  const hydraulics::SectionFlow& f = r.flow;
  switch (index.column()) {
    case kMark: return QString::fromStdString(sheets::DistanceMarkText(r.distanceMark));
    case kDate: return QString::fromStdString(survey::IsoDate(r.date));
    case kStage: return Number(f.stage, 2);
    case kArea: return Number(f.area, 2);
    case kPerimeter: return Number(f.wettedPerimeter, 2);
    case kWidth: return Number(f.topWidth, 2);
    case kRadius: return Number(f.hydraulicRadius, 3);
    case kDepth: return Number(f.hydraulicDepth, 3);
    case kMeanBed: return Number(f.meanBed, 2);
    case kDeepestBed: return Number(r.deepestBed, 2);
    default: return {};
  }
}

QVariant RiverTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
  return QString(kHeadings[section]);
}

}  // namespace plamor::viewer

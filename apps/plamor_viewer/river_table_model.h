// The hydraulic table of a river (hydraulics::TabulateRiver) for a table
// view: one row per section and survey in river order, the columns of
// plamor-draw river table with Japanese headings; a quantity a row does not
// have (nothing wet) is an empty cell.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "hydraulics/river_table.h"

namespace plamor::viewer {

class RiverTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<hydraulics::TableRow> rows);
  const std::vector<hydraulics::TableRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<hydraulics::TableRow> rows_;
};

}  // namespace plamor::viewer

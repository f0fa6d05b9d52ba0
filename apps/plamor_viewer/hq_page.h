// The H-Q page of the viewer: a measurement table, the chart kind to show,
// the H-Q chart, and the button that makes the drawing.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "survey/hq_table.h"

class QComboBox;
class QLabel;

namespace plamor::charts {
class TBunpu;
}

namespace plamor::viewer {

class HqPage : public QWidget {
  Q_OBJECT
 public:
  explicit HqPage(QWidget* parent = nullptr);

  // Shows the table; a faulty file is reported and the page stays as it was
  // (false).
  bool OpenTable(const std::filesystem::path& file);

 signals:
  // A drawing was written to `file`.
  void DrawingWritten(const QString& file);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenFile();
  void Redraw();
  void MakeDrawing();
  survey::HqKind Kind() const;

  QComboBox* kind_;
  QLabel* station_;
  charts::TBunpu* chart_;
  std::optional<survey::HqTable> table_;
};

}  // namespace plamor::viewer

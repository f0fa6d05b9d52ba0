// The H-Q page of the viewer: a measurement table, the chart kind to show,
// the H-Q chart, and the button that makes the drawing. On the kinds Q and
// √Q the page fits the formula Q = a (H + b)² on request: the curve and the
// formula of each segment over the chart, the measurements left out hollow,
// the fit's tables beside it, and the same in the drawing. Every change of
// the splits, of the measurements left out (their field, or a click on a row
// of the table) or of the method refits at once; what the fit cannot give is
// said in the page's status line, and no curve is shown then.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "hydraulics/rating_fit.h"
#include "sheets/rating_curve.h"
#include "survey/hq_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace plamor::charts {
class TBunpu;
}

namespace plamor::viewer {

class RatingOverlay;

class HqPage : public QWidget {
  Q_OBJECT
 public:
  explicit HqPage(QWidget* parent = nullptr);

  // Shows the table; a faulty file is reported and the page stays as it was
  // (false).
  bool OpenTable(const std::filesystem::path& file);

  // The fit shown, if any (for the tests and the drawing).
  const std::optional<hydraulics::RatingFit>& Fit() const { return fit_; }
  const RatingOverlay& Overlay() const { return *overlay_; }

 signals:
  // A drawing was written to `file`.
  void DrawingWritten(const QString& file);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenFile();
  void Redraw();
  void Refit();
  void ShowCurve();
  void ToggleExcluded(int row);
  void MakeDrawing();
  void SetStatus(const QString& text, bool fault);
  survey::HqKind Kind() const;
  bool FitsKind() const;

  QComboBox* kind_;
  QLabel* station_;
  QCheckBox* fitOn_;
  QComboBox* method_;
  QLineEdit* splits_;
  QLineEdit* excluded_;
  QLineEdit* extendTo_;
  charts::TBunpu* chart_;
  RatingOverlay* overlay_;
  QTableWidget* segments_;
  QTableWidget* measurements_;
  QLabel* status_;
  std::optional<survey::HqTable> table_;
  std::optional<hydraulics::RatingFit> fit_;
  std::optional<sheets::RatingCurveDrawing> curve_;  // the curve of fit_ on the chart's sheet
};

}  // namespace plamor::viewer

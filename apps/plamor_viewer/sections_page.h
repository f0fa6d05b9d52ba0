// The cross-section page of the viewer: observation files in a list with a
// tick each, the cross-section chart of the ticked ones, and the button that
// makes the drawing.
#pragma once

#include <QWidget>
#include <filesystem>
#include <vector>

#include "survey/observation_file.h"

class QListWidget;
class QListWidgetItem;

namespace plamor::charts {
class Danmen;
}

namespace plamor::viewer {

class SectionsPage : public QWidget {
  Q_OBJECT
 public:
  explicit SectionsPage(QWidget* parent = nullptr);

  // Adds the observations of the files, all ticked; a faulty file is
  // reported and none of them is added (false).
  bool AddFiles(const std::vector<std::filesystem::path>& files);

 signals:
  // A drawing was written to `file`.
  void DrawingWritten(const QString& file);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenFiles();
  void Reload();
  void Ticked(QListWidgetItem* item);
  void MakeDrawing();

  QListWidget* list_;
  charts::Danmen* chart_;
  std::vector<survey::ObservationFile> observations_;
};

}  // namespace plamor::viewer

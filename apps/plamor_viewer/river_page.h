// The river page of the viewer: the sections of a whole river (national
// cross-section files, a folder of them or a list) in a list by distance
// mark, the selected section's surveys overlaid, the longitudinal profile
// sheets of the river, and the hydraulic table of the river at each survey's
// own water surface.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "drawings/drawing_model.h"
#include "survey/river.h"

class QComboBox;
class QLabel;
class QListWidget;
class QTabWidget;
class QTableView;

namespace plamor::viewer {

class DrawingView;
class RiverTableModel;
class SectionView;

// Every *.csv directly in the folder, by name.
std::vector<std::filesystem::path> RiverFilesIn(const std::filesystem::path& folder);

class RiverPage : public QWidget {
  Q_OBJECT
 public:
  explicit RiverPage(QWidget* parent = nullptr);

  // Opens the river of the files; a folder stands for every *.csv in it. A
  // faulty file is reported and the page stays as it was (false).
  bool OpenRiver(const std::vector<std::filesystem::path>& files);
  void OpenFolder();  // asks for a folder
  void OpenFiles();   // asks for files

  const std::optional<survey::River>& River() const { return river_; }
  QListWidget* SectionList() const { return list_; }
  const SectionView* Section() const { return section_; }
  const RiverTableModel* Table() const { return model_; }
  QTabWidget* Views() const { return views_; }
  // The profile's sheets as laid out, and the one shown.
  const std::vector<drawings::DrawingModel>& ProfileSheets() const { return profileSheets_; }
  QComboBox* ProfileSheetChoice() const { return profileChoice_; }

 private:
  void ShowSection(int row);
  void Tabulate();
  void LayOutProfile();
  void ShowProfileSheet(int index);

  QLabel* name_;
  QListWidget* list_;
  QTabWidget* views_;
  SectionView* section_;
  QTableView* table_;
  RiverTableModel* model_;
  QLabel* tableStatus_;
  QComboBox* profileChoice_;
  QLabel* profileStatus_;
  DrawingView* profile_;
  std::vector<drawings::DrawingModel> profileSheets_;
  std::optional<survey::River> river_;
};

}  // namespace plamor::viewer

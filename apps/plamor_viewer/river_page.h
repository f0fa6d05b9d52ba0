// The river page of the viewer: the sections of a whole river (national
// cross-section files, a folder of them or a list) in a list by distance
// mark, the selected section's surveys overlaid, and the hydraulic table of
// the river at each survey's own water surface.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "survey/river.h"

class QLabel;
class QListWidget;
class QTabWidget;
class QTableView;

namespace plamor::viewer {

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

 private:
  void ShowSection(int row);
  void Tabulate();

  QLabel* name_;
  QListWidget* list_;
  QTabWidget* views_;
  SectionView* section_;
  QTableView* table_;
  RiverTableModel* model_;
  QLabel* tableStatus_;
  std::optional<survey::River> river_;
};

}  // namespace plamor::viewer

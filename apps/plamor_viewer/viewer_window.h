// The viewer's window: the cross-section, H-Q, river and drawing pages as
// tabs, a File menu that opens a river, and
// a status bar that tells where the settings are kept and, after
// "図面作成", which drawing was written.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <vector>

class QTabWidget;

namespace plamor::viewer {

class SectionsPage;
class HqPage;
class DrawingPage;
class RiverPage;

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit ViewerWindow(QWidget* parent = nullptr);

  // Opens files given by name: observation files, H-Q tables, .plm/.atz
  // drawings, and a river (folders of national cross-section files, or such
  // files), each on its page, and shows the page of what was given. False
  // when a file could not be opened (it was reported).
  bool OpenFiles(const std::vector<std::filesystem::path>& files);

  SectionsPage* Sections() const { return sections_; }
  HqPage* Hq() const { return hq_; }
  DrawingPage* Drawing() const { return drawing_; }
  RiverPage* River() const { return river_; }
  QTabWidget* Tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
  SectionsPage* sections_;
  HqPage* hq_;
  DrawingPage* drawing_;
  RiverPage* river_;
};

}  // namespace plamor::viewer

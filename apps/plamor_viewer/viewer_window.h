// The viewer's window: the cross-section, H-Q and drawing pages as tabs, and
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

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit ViewerWindow(QWidget* parent = nullptr);

  // Opens files given by name: observation files, H-Q tables and .plm/.atz
  // drawings, each on its page, and shows the page of what was given. False
  // when a file could not be opened (it was reported).
  bool OpenFiles(const std::vector<std::filesystem::path>& files);

  SectionsPage* Sections() const { return sections_; }
  HqPage* Hq() const { return hq_; }
  DrawingPage* Drawing() const { return drawing_; }
  QTabWidget* Tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
  SectionsPage* sections_;
  HqPage* hq_;
  DrawingPage* drawing_;
};

}  // namespace plamor::viewer

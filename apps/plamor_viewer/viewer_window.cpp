#include "apps/plamor_viewer/viewer_window.h"

#include <QStatusBar>
#include <QTabWidget>

#include "platform/folders.h"
#include "cli/input_text.h"
#include "apps/plamor_viewer/drawing_page.h"
#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/sections_page.h"
#include "platform/settings_store.h"

namespace plamor::viewer {
namespace {

bool LooksLikeHqTable(const std::filesystem::path& file) {
  try {
    for (const std::string& line : ReadTextLines(file))
      if (!line.empty()) return line[0] == '#' || line.find("stage") != std::string::npos;
  } catch (const std::exception&) {
    // An unreadable file is reported by the page that reads it.
  }
  return false;
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* parent)
    : QMainWindow(parent),
      tabs_(new QTabWidget),
      sections_(new SectionsPage),
      hq_(new HqPage),
      drawing_(new DrawingPage) {
  setWindowTitle("Plamor ビューア");
  tabs_->addTab(sections_, "横断面");
  tabs_->addTab(hq_, "H－Q図");
  tabs_->addTab(drawing_, "図面");
  setCentralWidget(tabs_);
  statusBar()->showMessage(QString::fromStdString("設定: " + settings::SettingsFolder().string()));
  const auto showWritten = [this](const QString& file) { statusBar()->showMessage("図面: " + file); };
  connect(sections_, &SectionsPage::DrawingWritten, this, showWritten);
  connect(hq_, &HqPage::DrawingWritten, this, showWritten);
  resize(1100, 720);
}

bool ViewerWindow::OpenFiles(const std::vector<std::filesystem::path>& files) {
  std::vector<std::filesystem::path> observations, tables, drawings;
  for (const std::filesystem::path& file : files) {
    if (folders::EndsWithKind(file, "plm") || folders::EndsWithKind(file, "atz")) drawings.push_back(file);
    else if (LooksLikeHqTable(file)) tables.push_back(file);
    else observations.push_back(file);
  }
  bool opened = observations.empty() || sections_->AddFiles(observations);
  for (const auto& t : tables) opened = hq_->OpenTable(t) && opened;
  for (const auto& d : drawings) opened = drawing_->OpenDrawing(d) && opened;
  if (!tables.empty() && observations.empty()) tabs_->setCurrentWidget(hq_);
  else if (!drawings.empty() && observations.empty() && tables.empty()) tabs_->setCurrentWidget(drawing_);
  return opened;
}

}  // namespace plamor::viewer

#include "apps/plamor_viewer/viewer_window.h"

#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

#include "platform/folders.h"
#include "cli/input_text.h"
#include "apps/plamor_viewer/drawing_page.h"
#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/river_page.h"
#include "apps/plamor_viewer/sections_page.h"
#include "platform/settings_store.h"
#include "survey/river_section_file.h"

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

// A file of the national cross-section format: its header line has the
// survey date as field 13.
bool LooksLikeRiverSection(const std::filesystem::path& file) {
  try {
    for (const std::string& line : ReadTextLines(file)) {
      if (line.empty()) continue;
      std::vector<std::string> fields;
      for (std::size_t at = 0;;) {
        const std::size_t comma = line.find(',', at);
        fields.push_back(line.substr(at, comma - at));
        if (comma == std::string::npos) break;
        at = comma + 1;
      }
      survey::SurveyDate date;
      return fields.size() >= 16 && survey::ParseSurveyDate(fields[12], date);
    }
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
      drawing_(new DrawingPage),
      river_(new RiverPage) {
  setWindowTitle("Plamor ビューア");
  tabs_->addTab(sections_, "横断面");
  tabs_->addTab(hq_, "H－Q図");
  tabs_->addTab(river_, "河川");
  tabs_->addTab(drawing_, "図面");
  QMenu* file = menuBar()->addMenu("ファイル");
  const auto openRiver = [this](void (RiverPage::*open)()) {
    return [this, open] {
      tabs_->setCurrentWidget(river_);
      (river_->*open)();
    };
  };
  file->addAction("河川を開く (フォルダ)…", this, openRiver(&RiverPage::OpenFolder));
  file->addAction("河川を開く (横断測量ファイル)…", this, openRiver(&RiverPage::OpenFiles));
  file->addSeparator();
  file->addAction("終了", this, &QWidget::close);
  setCentralWidget(tabs_);
  statusBar()->showMessage(QString::fromStdString("設定: " + settings::SettingsFolder().string()));
  const auto showWritten = [this](const QString& file) { statusBar()->showMessage("図面: " + file); };
  connect(sections_, &SectionsPage::DrawingWritten, this, showWritten);
  connect(hq_, &HqPage::DrawingWritten, this, showWritten);
  resize(1100, 720);
}

bool ViewerWindow::OpenFiles(const std::vector<std::filesystem::path>& files) {
  std::vector<std::filesystem::path> observations, tables, drawings, river;
  for (const std::filesystem::path& file : files) {
    if (std::filesystem::is_directory(file)) river.push_back(file);
    else if (folders::EndsWithKind(file, "plm") || folders::EndsWithKind(file, "atz")) drawings.push_back(file);
    else if (LooksLikeHqTable(file)) tables.push_back(file);
    else if (LooksLikeRiverSection(file)) river.push_back(file);
    else observations.push_back(file);
  }
  bool opened = observations.empty() || sections_->AddFiles(observations);
  for (const auto& t : tables) opened = hq_->OpenTable(t) && opened;
  for (const auto& d : drawings) opened = drawing_->OpenDrawing(d) && opened;
  if (!river.empty()) opened = river_->OpenRiver(river) && opened;
  if (!observations.empty()) tabs_->setCurrentWidget(sections_);
  else if (!tables.empty()) tabs_->setCurrentWidget(hq_);
  else if (!river.empty()) tabs_->setCurrentWidget(river_);
  else if (!drawings.empty()) tabs_->setCurrentWidget(drawing_);
  return opened;
}

}  // namespace plamor::viewer

// plamor-viewer: cross-section and H-Q charts of survey files, their drawings,
// and pictures of our drawing files, in one window.
//
//   plamor-viewer [--screenshot DIR] [FILE...]
// FILE: observation files, an H-Q table (a file whose first line starts with
// "#" or names the "stage" column) or a .plm/.atz drawing.
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "apps/plamor_draw/output_target.h"
#include "apps/plamor_draw/text_lines.h"
#include "apps/plamor_viewer/drawing_page.h"
#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/report.h"
#include "apps/plamor_viewer/sections_page.h"
#include "cli/command_line.h"
#include "platform/qt/qt_prompter.h"
#include "platform/settings_store.h"

namespace {

plamor::cli::Command ProgramCommand() {
  return plamor::cli::Command("plamor-viewer", "[--screenshot DIR] [FILE...]",
                                  "Cross-section and H-Q charts of survey files, their drawings, and .plm/.atz "
                                  "drawings, in one window.")
      .Option("screenshot", "DIR", "write pictures of the three pages into DIR and end (needs no screen)")
      .Note("FILE: observation files, an H-Q table (first line starts with \"#\" or names the \"stage\" column)\n"
            "or a .plm or .atz drawing.");
}

bool LooksLikeHqTable(const std::filesystem::path& file) {
  try {
    for (const std::string& line : plamor::draw::ReadTextLines(file))
      if (!line.empty()) return line[0] == '#' || line.find("stage") != std::string::npos;
  } catch (const std::exception&) {
    // An unreadable file is reported by the page that reads it.
  }
  return false;
}

bool Save(QWidget& page, const QString& path) {
  if (page.grab().save(path, "PNG")) return true;
  std::fprintf(stderr, "plamor-viewer: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  const auto line = plamor::cli::Read(ProgramCommand(), plamor::cli::Arguments(argc, argv), &status);
  if (!line) return status;
  const QString screenshotDir = QString::fromStdString(line->Value("screenshot").value_or(""));
  // Pictures for checks need no screen: they are drawn off screen.
  if (!screenshotDir.isEmpty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);

  std::vector<std::filesystem::path> observations, tables, drawings;
  for (const std::string& name : line->Positional()) {
    const std::filesystem::path file = name;
    if (plamor::draw::EndsWithKind(file, "plm") || plamor::draw::EndsWithKind(file, "atz")) drawings.push_back(file);
    else if (LooksLikeHqTable(file)) tables.push_back(file);
    else observations.push_back(file);
  }

  plamor::viewer::ReportToStandardError(!screenshotDir.isEmpty());
  // The controls' own messages ("no cross-section ticked") as message boxes
  // for a person; without one they go to standard error.
  plamor::prompts::QtPrompter qtPrompter;
  plamor::prompts::ScopedPrompter prompter(screenshotDir.isEmpty() ? &qtPrompter : nullptr);
  QMainWindow window;
  window.setWindowTitle("Plamor ビューア");
  auto* tabs = new QTabWidget;
  auto* sections = new plamor::viewer::SectionsPage;
  auto* hq = new plamor::viewer::HqPage;
  auto* drawing = new plamor::viewer::DrawingPage;
  tabs->addTab(sections, "横断面");
  tabs->addTab(hq, "H－Q図");
  tabs->addTab(drawing, "図面");
  window.setCentralWidget(tabs);
  window.statusBar()->showMessage(
      QString::fromStdString("設定: " + plamor::settings::SettingsFolder().string()));
  const auto showWritten = [&window](const QString& file) { window.statusBar()->showMessage("図面: " + file); };
  QObject::connect(sections, &plamor::viewer::SectionsPage::DrawingWritten, &window, showWritten);
  QObject::connect(hq, &plamor::viewer::HqPage::DrawingWritten, &window, showWritten);
  window.resize(1100, 720);
  window.show();
  bool opened = observations.empty() || sections->AddFiles(observations);
  for (const auto& t : tables) opened = hq->OpenTable(t) && opened;
  for (const auto& d : drawings) opened = drawing->OpenDrawing(d) && opened;
  if (!tables.empty() && observations.empty()) tabs->setCurrentWidget(hq);
  else if (!drawings.empty() && observations.empty() && tables.empty()) tabs->setCurrentWidget(drawing);

  if (screenshotDir.isEmpty()) return app.exec();
  // A file that could not be opened fails the run before any picture is written.
  if (!opened) return 1;
  if (!QDir().mkpath(screenshotDir)) {
    std::fprintf(stderr, "plamor-viewer: cannot create %s\n", qPrintable(screenshotDir));
    return 1;
  }
  bool ok = true;
  const std::pair<QWidget*, const char*> pages[] = {{sections, "sections.png"}, {hq, "hq.png"}, {drawing, "drawing.png"}};
  for (const auto& [page, name] : pages) {
    tabs->setCurrentWidget(page);
    for (int round = 0; round < 3; ++round) app.processEvents();
    ok = Save(window, QDir(screenshotDir).filePath(name)) && ok;
  }
  return ok ? 0 : 1;
}

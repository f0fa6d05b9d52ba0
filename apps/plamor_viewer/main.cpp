// plamor-viewer: cross-section and H-Q charts of survey files, their drawings,
// and pictures of our drawing files, in one window.
//
//   plamor-viewer [--screenshot DIR] [FILE...]
// FILE: observation files, an H-Q table (a file whose first line starts with
// "#" or names the "stage" column) or a .plm/.atz drawing.
#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>
#include <vector>

#include "apps/plamor_draw/output_target.h"
#include "apps/plamor_draw/text_lines.h"
#include "apps/plamor_viewer/drawing_page.h"
#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/report.h"
#include "apps/plamor_viewer/sections_page.h"
#include "platform/qt/qt_prompter.h"

namespace {

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
  QApplication app(argc, argv);
  QString screenshotDir;
  std::vector<std::filesystem::path> observations;
  std::vector<std::filesystem::path> tables, drawings;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--screenshot" && i + 1 < args.size()) {
      screenshotDir = args[++i];
    } else if (args[i].startsWith("-")) {
      std::fprintf(stderr, "usage: plamor-viewer [--screenshot DIR] [FILE...]\n");
      return 2;
    } else {
      const std::filesystem::path file = args[i].toStdString();
      if (plamor::draw::EndsWithKind(file, "plm") || plamor::draw::EndsWithKind(file, "atz")) drawings.push_back(file);
      else if (LooksLikeHqTable(file)) tables.push_back(file);
      else observations.push_back(file);
    }
  }

  plamor::viewer::ReportToStandardError(!screenshotDir.isEmpty());
  // The controls' own messages ("no cross-section ticked") as message boxes
  // for a person; without one they go to standard error.
  plamor::prompts::QtPrompter qtPrompter;
  plamor::prompts::ScopedPrompter prompter(screenshotDir.isEmpty() ? &qtPrompter : nullptr);
  QTabWidget window;
  window.setWindowTitle("Plamor ビューア");
  auto* sections = new plamor::viewer::SectionsPage;
  auto* hq = new plamor::viewer::HqPage;
  auto* drawing = new plamor::viewer::DrawingPage;
  window.addTab(sections, "横断面");
  window.addTab(hq, "H－Q図");
  window.addTab(drawing, "図面");
  window.resize(1100, 720);
  window.show();
  if (!observations.empty()) sections->AddFiles(observations);
  for (const auto& t : tables) hq->OpenTable(t);
  for (const auto& d : drawings) drawing->OpenDrawing(d);
  if (!tables.empty() && observations.empty()) window.setCurrentWidget(hq);
  else if (!drawings.empty() && observations.empty() && tables.empty()) window.setCurrentWidget(drawing);

  if (screenshotDir.isEmpty()) return app.exec();
  if (!QDir().mkpath(screenshotDir)) {
    std::fprintf(stderr, "plamor-viewer: cannot create %s\n", qPrintable(screenshotDir));
    return 1;
  }
  bool ok = true;
  const std::pair<QWidget*, const char*> pages[] = {{sections, "sections.png"}, {hq, "hq.png"}, {drawing, "drawing.png"}};
  for (const auto& [page, name] : pages) {
    window.setCurrentWidget(page);
    for (int round = 0; round < 3; ++round) app.processEvents();
    ok = Save(window, QDir(screenshotDir).filePath(name)) && ok;
  }
  return ok ? 0 : 1;
}

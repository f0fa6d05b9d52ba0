// plamor-viewer: cross-section and H-Q charts of survey files, their drawings,
// a whole river, and pictures of our drawing files, in one window.
//
//   plamor-viewer [--screenshot DIR] [FILE...]
// FILE: observation files, an H-Q table (a file whose first line starts with
// "#" or names the "stage" column), a .plm/.atz drawing, or a river: a
// folder of national cross-section files, or such files.
#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "apps/plamor_viewer/drawing_page.h"
#include "apps/plamor_viewer/hq_page.h"
#include "apps/plamor_viewer/report.h"
#include "apps/plamor_viewer/river_page.h"
#include "apps/plamor_viewer/sections_page.h"
#include "apps/plamor_viewer/viewer_window.h"
#include "cli/command_line.h"
#include "platform/qt/qt_prompter.h"

namespace {

plamor::cli::Command ProgramCommand() {
  return plamor::cli::Command("plamor-viewer", "[--screenshot DIR] [FILE...]",
                                  "Cross-section and H-Q charts of survey files, their drawings, a whole river, "
                                  "and .plm/.atz drawings, in one window.")
      .Option("screenshot", "DIR", "write pictures of the four pages into DIR and end (needs no screen)")
      .Note("FILE: observation files, an H-Q table (first line starts with \"#\" or names the \"stage\" column),\n"
            "a .plm or .atz drawing, or a river: a folder of national cross-section files (every *.csv in it)\n"
            "or such files.");
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

  // The controls' own messages ("no cross-section ticked") as message boxes
  // for a person; without one they go to standard error.
  plamor::prompts::QtPrompter qtPrompter;
  plamor::prompts::ScopedPrompter prompter(screenshotDir.isEmpty() ? &qtPrompter : nullptr);
  plamor::viewer::ViewerWindow window;
  // A file named on the command line that cannot be opened is a line on
  // standard error and exit status 1, before any window or picture.
  plamor::viewer::ReportToStandardError(true);
  const std::vector<std::filesystem::path> files(line->Positional().begin(), line->Positional().end());
  if (!window.OpenFiles(files)) return 1;
  window.show();
  if (screenshotDir.isEmpty()) {
    plamor::viewer::ReportToStandardError(false);  // from now on the person is told in message boxes
    return app.exec();
  }
  if (!QDir().mkpath(screenshotDir)) {
    std::fprintf(stderr, "plamor-viewer: cannot create %s\n", qPrintable(screenshotDir));
    return 1;
  }
  bool ok = true;
  const std::pair<QWidget*, const char*> pages[] = {
      {window.Sections(), "sections.png"}, {window.Hq(), "hq.png"}, {window.River(), "river.png"},
      {window.Drawing(), "drawing.png"}};
  for (const auto& [page, name] : pages) {
    window.Tabs()->setCurrentWidget(page);
    for (int round = 0; round < 3; ++round) app.processEvents();
    ok = Save(window, QDir(screenshotDir).filePath(name)) && ok;
  }
  return ok ? 0 : 1;
}

#include "apps/plamor_viewer/report.h"

#include <QMessageBox>

#include <cstdio>

namespace plamor::viewer {
namespace {
bool toStandardError = false;
}

void ReportToStandardError(bool on) { toStandardError = on; }

void Report(QWidget* parent, const QString& title, const QString& text) {
  if (toStandardError) std::fprintf(stderr, "plamor-viewer: %s: %s\n", qPrintable(title), qPrintable(text));
  else QMessageBox::warning(parent, title, text);
}

}  // namespace plamor::viewer

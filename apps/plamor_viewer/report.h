// Messages of the viewer to its user: message boxes, or lines on standard
// error while the viewer runs without a person (screenshots).
#pragma once

#include <QString>

class QWidget;

namespace plamor::viewer {

void ReportToStandardError(bool on);
void Report(QWidget* parent, const QString& title, const QString& text);

}  // namespace plamor::viewer

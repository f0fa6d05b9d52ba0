#include "platform/qt/qt_file_filter.h"

namespace plamor::prompts {

QStringList ToQtNameFilters(const std::string& hostFilter) {
  const QStringList parts = QString::fromStdString(hostFilter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    if (patterns.isEmpty()) continue;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString named = QStringLiteral("(") + patterns + QStringLiteral(")");
    filters << (description.contains(named) ? description : description + QStringLiteral(" ") + named);
  }
  return filters;
}

}  // namespace plamor::prompts

#include "app/dialogs/FilterString.h"

#include <QStringList>

#include <algorithm>

namespace quilmo {

QList<TFilterRow> SplitFilter(const QString& filter) {
  const QStringList pieces = filter.left(kFilterStringMax).split(QLatin1Char('|'));
  QList<TFilterRow> rows;
  if (filter.isEmpty()) return rows;
  for (qsizetype i = 0; i < pieces.size(); i += 2)
    rows.append({pieces[i], i + 1 < pieces.size() ? pieces[i + 1] : QString()});
  return rows;
}

QString BuildFilter(const QList<TFilterRow>& rows) {
  QString out;
  for (const TFilterRow& row : rows) {
    if (row.Description.isEmpty() && row.Patterns.isEmpty()) continue;
    out += row.Description + QLatin1Char('|') + row.Patterns + QLatin1Char('|');
  }
  out.truncate(kFilterStringMax);
  while (out.endsWith(QLatin1Char('|'))) out.chop(1);
  return out;
}

int CellMaxLength(int cellLength, int totalLength) {
  return std::max(cellLength, cellLength + kFilterCellBudget - totalLength);
}

}  // namespace quilmo

#pragma once
// The Open dialog's filter string (description|patterns|description|patterns...) taken
// apart into grid rows and built back.

#include <QList>
#include <QString>

namespace quilmo {

inline constexpr int kFilterStringMax = 255;
// All descriptions and patterns together.
inline constexpr int kFilterCellBudget = 240;

struct TFilterRow {
  QString Description;
  QString Patterns;
  bool operator==(const TFilterRow&) const = default;
};

// The string cut to 255 characters, split at every "|", the pieces taken two by two; a last
// lone piece becomes a description without patterns.
QList<TFilterRow> SplitFilter(const QString& filter);

// Rows with both parts empty are skipped; the others give "description|patterns|". The result
// is cut to 255 characters and loses every "|" at its end.
QString BuildFilter(const QList<TFilterRow>& rows);

// How many characters the editor of a cell holding `cellLength` characters accepts when all
// cells hold `totalLength`: what keeps the total within the budget, but never less than the
// cell already holds (so that loaded filters beyond the budget can be shortened, not grown).
int CellMaxLength(int cellLength, int totalLength);

}  // namespace quilmo

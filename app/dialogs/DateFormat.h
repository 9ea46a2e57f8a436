#pragma once
// The date and time format language of the date dialog and of the ".LOG" stamp:
//   d dd ddd dddd   day, two-digit day, short and full day name
//   m mm mmm mmmm   month, two-digit month, short and full month name; m and mm are minutes
//                   when the nearest element before them is an hour (text between them
//                   does not count)
//   yy yyyy         year with two or four digits
//   h hh            hour 0-23, two-digit hour
//   s ss            seconds, two-digit seconds
//   /  :            the date and time separators
//   "text" 'text'   copied without the quotes
// Any other character is copied.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace quilmo {

struct TDateNames {
  std::array<QString, 7> ShortDays;  // Sunday first
  std::array<QString, 7> LongDays;
  std::array<QString, 12> ShortMonths;
  std::array<QString, 12> LongMonths;
  QString DateSeparator;
  QString TimeSeparator;
};

// French names, "/" and ":".
const TDateNames& FrenchDateNames();

QString FormatDateTime(const QString& format, const QDateTime& when, const TDateNames& names);

// The twelve formats of the date dialog, in list order.
const QStringList& DateDialogFormats();

// The local date and time; tests give a fixed clock.
using TClock = std::function<QDateTime()>;
QDateTime SystemClock();

}  // namespace quilmo

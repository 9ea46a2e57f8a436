#include "app/dialogs/DateFormat.h"

namespace quilmo {

namespace {

QString TwoDigits(int value) {
  return QStringLiteral("%1").arg(value % 100, 2, 10, QLatin1Char('0'));
}

// Length of the run of `c` (case ignored) at `i`.
qsizetype RunLength(const QString& format, qsizetype i) {
  const QChar c = format[i].toLower();
  qsizetype j = i;
  while (j < format.size() && format[j].toLower() == c) ++j;
  return j - i;
}

}  // namespace

const TDateNames& FrenchDateNames() {
  static const TDateNames names{
      {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."},
      {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
      {"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.", "déc."},
      {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre", "octobre",
       "novembre", "décembre"},
      QStringLiteral("/"),
      QStringLiteral(":"),
  };
  return names;
}

QString FormatDateTime(const QString& format, const QDateTime& when, const TDateNames& names) {
  const QDate date = when.date();
  const QTime time = when.time();
  const int weekday = date.dayOfWeek() % 7;  // Sunday 0
  QString out;
  bool afterHour = false;  // the last element was an hour
  qsizetype i = 0;
  while (i < format.size()) {
    const QChar c = format[i];
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      const qsizetype end = format.indexOf(c, i + 1);
      const qsizetype stop = end < 0 ? format.size() : end;
      out += format.mid(i + 1, stop - i - 1);
      i = stop + 1;
      continue;
    }
    const qsizetype run = RunLength(format, i);
    switch (c.toLower().unicode()) {
      case 'd': {
        const qsizetype n = std::min<qsizetype>(run, 4);
        if (n == 1) out += QString::number(date.day());
        if (n == 2) out += TwoDigits(date.day());
        if (n == 3) out += names.ShortDays[static_cast<std::size_t>(weekday)];
        if (n == 4) out += names.LongDays[static_cast<std::size_t>(weekday)];
        i += n;
        afterHour = false;
        continue;
      }
      case 'm': {
        const qsizetype n = std::min<qsizetype>(run, 4);
        if (n <= 2 && afterHour)
          out += n == 1 ? QString::number(time.minute()) : TwoDigits(time.minute());
        else if (n == 1)
          out += QString::number(date.month());
        else if (n == 2)
          out += TwoDigits(date.month());
        else
          out += (n == 3 ? names.ShortMonths : names.LongMonths)[static_cast<std::size_t>(date.month() - 1)];
        i += n;
        afterHour = false;
        continue;
      }
      case 'y': {
        const qsizetype n = std::min<qsizetype>(run, 4);
        out += n <= 2 ? TwoDigits(date.year()) : QString::number(date.year());
        i += n;
        afterHour = false;
        continue;
      }
      case 'h': {
        const qsizetype n = std::min<qsizetype>(run, 2);
        out += n == 1 ? QString::number(time.hour()) : TwoDigits(time.hour());
        i += n;
        afterHour = true;
        continue;
      }
      case 's': {
        const qsizetype n = std::min<qsizetype>(run, 2);
        out += n == 1 ? QString::number(time.second()) : TwoDigits(time.second());
        i += n;
        afterHour = false;
        continue;
      }
      default: break;
    }
    if (c == QLatin1Char('/'))
      out += names.DateSeparator;
    else if (c == QLatin1Char(':'))
      out += names.TimeSeparator;
    else
      out += c;
    ++i;
  }
  return out;
}

const QStringList& DateDialogFormats() {
  static const QStringList formats{
      QStringLiteral("dd/mm/yy hh:mm"), QStringLiteral("dd/mm/yyyy"),   QStringLiteral("dd/mm/yy "),
      QStringLiteral("dd.mm.yyyy "),    QStringLiteral("dd.mm.yy "),    QStringLiteral("dddd d mmmm yyyy"),
      QStringLiteral("ddd d mmm yy"),   QStringLiteral("dd mmmm yyyy"), QStringLiteral("dd mmm yy"),
      QStringLiteral("hh:mm:ss"),       QStringLiteral("hh\" h \"mm"),  QStringLiteral("hh:mm"),
  };
  return formats;
}

QDateTime SystemClock() {
  return QDateTime::currentDateTime();
}

}  // namespace quilmo

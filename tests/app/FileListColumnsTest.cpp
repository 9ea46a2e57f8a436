// The file dialogs' size and date columns, and that a French default locale leaves the
// inserted dates alone.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include "app/FileListColumns.h"
#include "app/dialogs/DateFormat.h"

namespace quilmo {
namespace {

// Sets the default locale for one test and puts the previous one back.
class TDefaultLocale {
 public:
  explicit TDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
  ~TDefaultLocale() { QLocale::setDefault(FPrevious); }

 private:
  QLocale FPrevious;
};

TEST(FileListColumns, SizesAndDatesAreWrittenInFrench) {
  const TDefaultLocale french(QLocale(QLocale::French, QLocale::France));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QDateTime modified(QDate(2026, 3, 5), QTime(14, 7));
  const struct {
    qint64 Size;
    const char* SizeText;
  } cases[] = {{0, "0 octets"}, {47, "47 octets"}, {5000, "4,88 Kio"}};
  for (const auto& c : cases) {
    const QString name = dir.filePath(QString::number(c.Size));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(c.Size, 'x'));
    file.flush();
    file.setFileTime(modified, QFileDevice::FileModificationTime);
    file.close();
    const QFileInfo info(name);
    EXPECT_EQ(FileColumnText(1, info), QString::fromUtf8(c.SizeText));
    EXPECT_EQ(FileColumnText(3, info), QStringLiteral("05/03/2026 14:07"));
    EXPECT_EQ(FileColumnText(0, info), QString());
  }
  EXPECT_EQ(FileColumnText(1, QFileInfo(dir.path())), QString()) << "a folder has no size";
}

TEST(FileListColumns, TheDefaultLocaleDoesNotChangeInsertedDates) {
  const QDateTime when(QDate(2026, 12, 7), QTime(9, 5, 3));
  QStringList english;
  {
    const TDefaultLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const QString& format : DateDialogFormats())
      english << FormatDateTime(format, when, FrenchDateNames());
  }
  const TDefaultLocale locale(QLocale(QLocale::French, QLocale::France));
  for (qsizetype i = 0; i < english.size(); ++i)
    EXPECT_EQ(FormatDateTime(DateDialogFormats()[i], when, FrenchDateNames()), english[i]) << i;
  EXPECT_FALSE(english.isEmpty());
}

}  // namespace
}  // namespace quilmo

// The file dialogs' size and date columns in French; the inserted dates do not follow the locale.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/FileListColumns.h"
#include "app/dialogs/DateFormat.h"

namespace quilmo {
namespace {

TEST(FileListColumns, FrenchSizesAndDatesAndUnchangedDateInsertion) {
  const QDateTime when(QDate(2026, 3, 5), QTime(14, 7));
  QStringList inserted;
  for (const QString& format : DateDialogFormats())
    inserted << FormatDateTime(format, when, FrenchDateNames());
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  QTemporaryDir dir;
  for (const auto& [size, text] : {std::pair{47, "47 octets"}, {5000, "4,88 Kio"}}) {
    QFile file(dir.filePath(QString::number(size)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size && file.flush());
    file.setFileTime(when, QFileDevice::FileModificationTime);
    EXPECT_EQ(FileColumnText(1, QFileInfo(file)), QString::fromUtf8(text));
    EXPECT_EQ(FileColumnText(3, QFileInfo(file)), "05/03/2026 14:07");
  }
  EXPECT_EQ(FileColumnText(1, QFileInfo(dir.path())), QString()) << "a folder has no size";
  for (qsizetype i = 0; i < inserted.size(); ++i)
    EXPECT_EQ(FormatDateTime(DateDialogFormats()[i], when, FrenchDateNames()), inserted[i]) << i;
  QLocale::setDefault(QLocale::system());
}

}  // namespace
}  // namespace quilmo

// Printing: the lines taken from the text or the selection, and what a PDF printer receives,
// read back with pdftotext.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStringList>

#include <string>
#include <vector>

#include "app/Printing.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/FontList.h"
#include "support/EditorDoc.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using TLines = std::vector<std::string>;

// "0123456789abc…" over `count` characters, so that any cut shows where it fell.
std::string LongLine(size_t count) {
  std::string line;
  for (size_t i = 0; i < count; ++i) line += "0123456789abcdefghijklmnopqrstuvwxyz"[i % 36];
  return line;
}

TEST(PrintLinesTest, TakesTheDisplayLinesOfTheRange) {
  struct TCase {
    std::string Marked;  // the selection in brackets
    TPrintRange Range;
    TLines Expected;
  } const cases[] = {
      {"ab\n\tc\n\nd[e]", TPrintRange::All, {"ab", "    c", "", "de"}},
      {"first\nab[cdefgh\nijklmnop\nqrst]uvwx\nlast",
       TPrintRange::Selection,
       {"  cdefgh", "ijklmnop", "qrst"}},
      {"abc[def]ghi", TPrintRange::Selection, {"   def"}},
      {"\tx[yz]w", TPrintRange::Selection, {"     yz"}},
      {"a[b\n\tc]d", TPrintRange::Selection, {" b", "    c"}},
      {"a[bc\n]de", TPrintRange::Selection, {" bc", ""}},
      {"ab\ncd", TPrintRange::Selection, {"ab", "cd"}},
      {LongLine(1500) + "\nx", TPrintRange::All, {LongLine(1024), "x"}},
  };
  for (const TCase& c : cases) {
    TTextFileEditor editor;
    editor.SetTabSize(4);
    test::LoadMarkedText(editor, c.Marked);
    EXPECT_EQ(PrintLines(editor, c.Range), c.Expected) << c.Marked.substr(0, 40);
  }
}

TEST(PrintDialogTest, OffersTheSelectionOnlyWhenThereIsOneAndNoPageRange) {
  for (const bool hasSelection : {true, false}) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    ConfigurePrintDialog(dialog, hasSelection);
    EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintSelection), hasSelection);
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    // Qt's dialog shows its "from … to" row whatever the option says.
    const auto* fromTo = dialog.findChild<QWidget*>("printRange");
    EXPECT_TRUE(fromTo == nullptr || fromTo->isHidden());
  }
}

class PrintToPdfTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallFixedFontNames(); }

  void Print(const std::string& marked, TPrintRange range) {
    test::LoadMarkedText(Editor, marked);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Pdf));
    printer.setPrintRange(range == TPrintRange::Selection ? QPrinter::Selection : QPrinter::AllPages);
    PrintDocument(Editor, printer, "/tmp/lettre.txt");
  }

  // The output of a poppler tool (package poppler-utils) on the PDF.
  std::string Run(const QString& tool, QStringList args = {}) const {
    QProcess process;
    args << QString::fromStdString(Pdf);
    if (tool == "pdftotext") args << "-";
    process.start(tool, args);
    EXPECT_TRUE(process.waitForFinished() && process.exitCode() == 0) << tool.toStdString();
    return process.readAllStandardOutput().toStdString();
  }
  // The text of a page (0: all pages) as lines, trailing blanks and page feeds dropped.
  TLines Lines(int page = 0) const {
    QStringList args{"-layout"};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    const QString text = QString::fromStdString(Run("pdftotext", args)).remove('\f');
    TLines lines;
    for (const QString& line : text.split('\n'))
      lines.push_back(line.trimmed().isEmpty() ? "" : line.toStdString());
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
    return lines;
  }

  test::TTempDir Dir;
  std::string Pdf = Dir.File("out.pdf");
  TTextFileEditor Editor;
};

TEST_F(PrintToPdfTest, SelectionFromLineTwoColumnThreeToLineFourColumnFiveInTheEditorsFont) {
  Editor.FixedFont().SetName("DejaVu Sans Mono");
  Print("premi\xe8re\nab[cd\xe9\x66gh\nijklmnop\nqrst]uvwx\nfin", TPrintRange::Selection);
  EXPECT_EQ(Lines(), (TLines{"  cd\xc3\xa9\x66gh", "ijklmnop", "qrst"}));
  EXPECT_NE(Run("pdffonts").find("DejaVuSansMono"), std::string::npos);
  EXPECT_NE(Run("pdfinfo").find("/tmp/lettre.txt"), std::string::npos) << "job name";
}

TEST_F(PrintToPdfTest, LongLineOverSeveralRowsAndANewPageWhenALineNoLongerFits) {
  std::string text = LongLine(1500);
  TLines expected;
  for (int i = 1; i <= 150; ++i) {
    expected.push_back("ligne " + std::to_string(i));
    text += "\n" + expected.back();
  }
  Print(text, TPrintRange::All);
  const std::string info = Run("pdfinfo");
  const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
  ASSERT_GE(pages, 2);
  TLines printed;
  for (int page = 1; page <= pages; ++page) {
    const TLines lines = Lines(page);
    EXPECT_FALSE(lines.empty()) << "page " << page;
    printed.insert(printed.end(), lines.begin(), lines.end());
  }
  // The rows of the long line, joined, are its first 1024 characters.
  std::string joined;
  while (!printed.empty() && !printed.front().starts_with("ligne ")) {
    joined += printed.front();
    printed.erase(printed.begin());
  }
  EXPECT_EQ(joined, LongLine(1024));
  EXPECT_EQ(printed, expected);
}

}  // namespace
}  // namespace quilmo

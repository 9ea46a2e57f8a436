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

// "0123456789abcdef..." over `count` characters, so that any cut shows where it fell.
std::string LongLine(size_t count) {
  static const std::string kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string line;
  for (size_t i = 0; i < count; ++i) line += kDigits[i % kDigits.size()];
  return line;
}

struct TLinesCase {
  const char* Name;
  std::string Marked;  // text with the selection in brackets
  TPrintRange Range;
  TLines Expected;
};

class PrintLinesTest : public ::testing::TestWithParam<TLinesCase> {};

TEST_P(PrintLinesTest, TakesTheDisplayLinesOfTheRange) {
  TTextFileEditor editor;
  editor.SetTabSize(4);
  test::LoadMarkedText(editor, GetParam().Marked);
  EXPECT_EQ(PrintLines(editor, GetParam().Range), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintLinesTest,
    ::testing::Values(
        TLinesCase{"WholeTextTabsExpanded", "ab\n\tc\n\nd[e]", TPrintRange::All, {"ab", "    c", "", "de"}},
        TLinesCase{"SelectionKeepsItsColumns",
                   "first\nab[cdefgh\nijklmnop\nqrst]uvwx\nlast",
                   TPrintRange::Selection,
                   {"  cdefgh", "ijklmnop", "qrst"}},
        TLinesCase{"SelectionWithinOneLine", "abc[def]ghi", TPrintRange::Selection, {"   def"}},
        TLinesCase{"TabBeforeTheSelection", "\tx[yz]w", TPrintRange::Selection, {"     yz"}},
        TLinesCase{"TabInsideTheLastLine", "a[b\n\tc]d", TPrintRange::Selection, {" b", "    c"}},
        TLinesCase{"EndingAtALineStart", "a[bc\n]de", TPrintRange::Selection, {" bc", ""}},
        TLinesCase{"NoSelectionPrintsAll", "ab\ncd", TPrintRange::Selection, {"ab", "cd"}},
        TLinesCase{"LongLineCut", LongLine(1500) + "\nx", TPrintRange::All, {LongLine(1024), "x"}},
        TLinesCase{"LongLineSelectedBehindTheCut",
                   "[" + LongLine(1500) + "]",
                   TPrintRange::Selection,
                   {LongLine(1024)}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PrintDialogTest, OffersTheSelectionOnlyWhenThereIsOneAndNeverPages) {
  for (const bool hasSelection : {true, false}) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    ConfigurePrintDialog(dialog, hasSelection);
    EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintSelection), hasSelection);
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_EQ(dialog.printRange(), QAbstractPrintDialog::AllPages);
  }
}

// ---------------------------------------------------------------- to a PDF file

class PrintToPdfTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallFixedFontNames(); }

  // Prints the editor's text in the range to the PDF file.
  void Print(TCustomEditor& editor, TPrintRange range, const std::string& jobName = "doc.txt") {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Pdf));
    printer.setPrintRange(range == TPrintRange::Selection ? QPrinter::Selection : QPrinter::AllPages);
    PrintDocument(editor, printer, jobName);
  }

  // The output of a poppler tool on the PDF.
  std::string Run(const QString& tool, QStringList args) const {
    QProcess process;
    args << QString::fromStdString(Pdf);
    if (tool == "pdftotext") args << "-";
    process.start(tool, args);
    EXPECT_TRUE(process.waitForFinished()) << tool.toStdString() << " (package poppler-utils)";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
  }
  std::string Text(int page = 0) const {
    if (page == 0) return Run("pdftotext", {"-layout"});
    return Run("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page)});
  }
  int Pages() const {
    const std::string info = Run("pdfinfo", {});
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
  }

  test::TTempDir Dir;
  std::string Pdf = Dir.File("out.pdf");
  TTextFileEditor Editor;
};

// Lines as pdftotext writes them: trailing blanks and the page feed dropped.
TLines LinesOf(const std::string& text) {
  TLines lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\f')) line.pop_back();
    if (!line.empty() && line.front() == '\f') line.erase(0, 1);
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

TEST_F(PrintToPdfTest, SelectionFromLineTwoColumnThreeToLineFourColumnFive) {
  Editor.FixedFont().SetName("DejaVu Sans Mono");
  test::LoadMarkedText(Editor, "premi\xe8re\nab[cd\xe9\x66gh\nijklmnop\nqrst]uvwx\nfin");
  Print(Editor, TPrintRange::Selection, "/tmp/lettre.txt");
  EXPECT_EQ(LinesOf(Text()), (TLines{"  cd\xc3\xa9\x66gh", "ijklmnop", "qrst"}));
  const std::string fonts = Run("pdffonts", {});
  EXPECT_NE(fonts.find("DejaVuSansMono"), std::string::npos) << fonts;
  const std::string info = Run("pdfinfo", {});
  EXPECT_NE(info.find("/tmp/lettre.txt"), std::string::npos) << "job name\n" << info;
}

TEST_F(PrintToPdfTest, LongLinePrintsItsFirst1024CharactersOverSeveralRows) {
  test::LoadMarkedText(Editor, LongLine(1500) + "\nsuite");
  Print(Editor, TPrintRange::All);
  const TLines lines = LinesOf(Text());
  ASSERT_GE(lines.size(), 3U);
  std::string joined;
  for (size_t i = 0; i + 1 < lines.size(); ++i) joined += lines[i];
  EXPECT_EQ(joined, LongLine(1024));
  EXPECT_EQ(lines.back(), "suite");
}

TEST_F(PrintToPdfTest, NewPageWhenALineNoLongerFits) {
  std::string text;
  TLines expected;
  for (int i = 1; i <= 150; ++i) {
    expected.push_back("ligne " + std::to_string(i));
    text += expected.back() + (i < 150 ? "\n" : "");
  }
  test::LoadMarkedText(Editor, text);
  Print(Editor, TPrintRange::All);
  const int pages = Pages();
  ASSERT_GE(pages, 2);
  TLines printed;
  for (int page = 1; page <= pages; ++page) {
    const TLines lines = LinesOf(Text(page));
    EXPECT_FALSE(lines.empty()) << "page " << page;
    printed.insert(printed.end(), lines.begin(), lines.end());
  }
  EXPECT_EQ(printed, expected);
}

}  // namespace
}  // namespace quilmo

// The help: every context's page and every link between pages exist, the folders are looked
// up in order, and the window shows the topic of a context with working back and forward.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/HelpViewer.h"

namespace quilmo {
namespace {

const QString kSourceHelp = QStringLiteral(QUILMO_HELP_SOURCE_DIR);

TEST(HelpViewerTest, EveryPageAndLinkOfTheHelpExists) {
  const QDir folder(kSourceHelp);
  for (const int context : {kHelpIndex, kHelpOptions, kHelpFullScreen, 1, -1})
    EXPECT_TRUE(folder.exists(HelpPageOf(context))) << context;
  const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
  ASSERT_GE(pages.size(), 10);
  const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
  for (const QString& page : pages) {
    QFile file(folder.filePath(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"fr\">"))) << page.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
    for (const auto& match : link.globalMatch(html))
      EXPECT_TRUE(folder.exists(match.captured(1)))
          << page.toStdString() << " -> " << match.captured(1).toStdString();
  }
}

TEST(HelpViewerTest, TheFirstFolderHoldingTheIndexIsTaken) {
  EXPECT_EQ(HelpFolderCandidates(QStringLiteral("/opt/q/bin")),
            QStringList({QStringLiteral("/opt/q/bin/help"), QStringLiteral("/opt/q/share/quilmo/help")}));
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath(QStringLiteral("empty")) && dir.mkpath(QStringLiteral("a")) &&
              dir.mkpath(QStringLiteral("b")));
  for (const char* name : {"a", "b"}) {
    QFile index(dir.filePath(QStringLiteral("%1/index.html").arg(name)));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
  }
  const QString empty = dir.filePath("empty"), a = dir.filePath("a"), b = dir.filePath("b"),
                missing = dir.filePath("missing");
  const struct {
    QStringList Candidates;
    QString Found;
  } cases[] = {{{empty, a, b}, a}, {{missing, b, a}, b}, {{empty, missing}, {}}, {{}, {}}};
  for (const auto& c : cases)
    EXPECT_EQ(FindHelpFolder(c.Candidates), c.Found) << c.Candidates.join(',').toStdString();
}

TEST(HelpViewerTest, ContextsOpenTheirTopicAndTheButtonsGoBackAndForth) {
  THelpViewer viewer(kSourceHelp);
  QTextBrowser* browser = viewer.Browser();
  for (const int context : {kHelpIndex, kHelpOptions, kHelpFullScreen}) {
    viewer.ShowContext(context);
    EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), HelpPageOf(context));
    EXPECT_FALSE(browser->documentTitle().isEmpty());
  }
  const QList<QToolButton*> buttons = viewer.findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 3);
  QToolButton* back = buttons[0];
  QToolButton* forward = buttons[1];
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());
  back->click();
  EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), HelpPageOf(kHelpOptions));
  EXPECT_TRUE(forward->isEnabled());
  forward->click();
  EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), HelpPageOf(kHelpFullScreen));
  buttons[2]->click();
  EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), HelpPageOf(kHelpIndex));
  // Each button has an Alt letter of its own (two alike would only move the focus).
  QString letters;
  for (QToolButton* button : buttons) {
    const QString text = button->text();
    const qsizetype mark = text.indexOf('&');
    ASSERT_GE(mark, 0) << text.toStdString();
    const QChar letter = text.at(mark + 1).toLower();
    EXPECT_FALSE(letters.contains(letter)) << text.toStdString();
    letters += letter;
  }
}

// Escape closes the window from its page and its buttons, as it closes a dialog.
TEST(HelpViewerTest, EscapeClosesTheWindow) {
  const struct {
    const char* Label;
    int Target;  // 0 the page, 1 the first button
    Qt::KeyboardModifiers Modifiers;
    bool Closes;
  } cases[] = {{"page", 0, Qt::NoModifier, true},
               {"button", 1, Qt::NoModifier, true},
               {"Shift+Escape", 0, Qt::ShiftModifier, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    THelpViewer viewer(kSourceHelp);
    viewer.ShowContext(kHelpIndex);
    viewer.show();
    QWidget* target = c.Target == 0 ? static_cast<QWidget*>(viewer.Browser())
                                    : viewer.findChildren<QToolButton*>().value(0);
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key_Escape, c.Modifiers);
    EXPECT_EQ(viewer.isVisible(), !c.Closes);
  }
}

}  // namespace
}  // namespace quilmo

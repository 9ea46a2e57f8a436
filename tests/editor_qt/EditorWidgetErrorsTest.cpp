// The widget with the program's own set-up: the controller with the application's tables,
// and editing errors reported instead of ending the program.

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/Controller.h"
#include "editor/qt/EditorWidget.h"
#include "editor/qt/ErrorReport.h"
#include "engine/EditorErrors.h"
#include "support/EditorDoc.h"

namespace quilmo::test {
namespace {

class EditorWidgetSetUp : public ::testing::Test {
 protected:
  void SetUp() override {
    Previous =
        SetErrorReporter([this](const QString&, const QString& message) { Reports.push_back(message); });
    Controller = MakeApplicationController();
    Widget = std::make_unique<TEditorWidget>();
    Widget->Editor().SetController(Controller.get());
    Widget->resize(400, 200);
    Widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget.get()));
    Widget->setFocus();
    QApplication::processEvents();
  }
  void TearDown() override { SetErrorReporter(Previous); }
  TCustomEditor& Editor() { return Widget->Editor(); }

  TErrorReporter Previous;
  std::vector<QString> Reports;
  std::unique_ptr<TController> Controller;
  std::unique_ptr<TEditorWidget> Widget;
};

TEST_F(EditorWidgetSetUp, EveryFailedEditIsReportedAndLeavesTheTextAsItWas) {
  const std::string full(kMaxParaLength, 'a');
  const std::string half(kMaxParaLength / 2 + 1, 'b');
  struct Case {
    const char* Name;
    std::string Text;
    std::function<void(TCustomEditor&)> Prepare;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    std::uint16_t Code;
  };
  const Case cases[] = {
      {"typing at the end of a full line", "|" + full, {}, Qt::Key_End, Qt::NoModifier, ErrParaTooLong},
      {"a join too long", half + "|\n" + half, {}, Qt::Key_Delete, Qt::NoModifier, ErrJoinTooLong},
      {"Enter at the paragraph limit", "a\nb|", [](TCustomEditor& e) { e.SetParaLimit(2); }, Qt::Key_Return,
       Qt::NoModifier, ErrTooManyParas},
      {"a paste too large", "ab|c",
       [](TCustomEditor& e) {
         e.SetByteLimit(8);
         QGuiApplication::clipboard()->setText(QStringLiteral("0123456789"));
       },
       Qt::Key_V, Qt::ControlModifier, ErrTextTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Editor().SetParaLimit(kMaxInt32);
    Editor().SetByteLimit(kMaxInt32);
    LoadMarkedText(Editor(), c.Text);
    if (c.Prepare) c.Prepare(Editor());
    const std::string before = PlainEditorText(Editor());
    Reports.clear();
    QTest::keyClick(Widget.get(), c.Key, c.Modifiers);
    if (c.Key == Qt::Key_End) QTest::keyClick(Widget.get(), Qt::Key_X);
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports.front().toStdString(), EEditorError::FromCode(c.Code).what());
    EXPECT_EQ(PlainEditorText(Editor()), before);
    EXPECT_FALSE(Editor().Modified());
    // The widget goes on taking keys.
    QTest::keyClick(Widget.get(), Qt::Key_Home);
    QTest::keyClick(Widget.get(), Qt::Key_Delete);
    EXPECT_EQ(PlainEditorText(Editor()).size(), before.size() - 1);
  }
}

TEST_F(EditorWidgetSetUp, KeysRunTheCommandsOfTheApplicationsTables) {
  // Ctrl+D deletes the line; Ctrl+digit and Ctrl+Shift+digit are left to the main window (no
  // marker is set or visited); Shift+Backspace deletes nothing.
  LoadMarkedText(Editor(), "one\ntw|o\nthree");
  QTest::keyClick(Widget.get(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(MarkedEditorText(Editor()), "one\n|three");
  QTest::keyClick(Widget.get(), Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(Widget.get(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(Editor().ParaList().Marker(1).Para, 0);
  QTest::keyClick(Widget.get(), Qt::Key_End);
  QTest::keyClick(Widget.get(), Qt::Key_Backspace, Qt::ShiftModifier);
  EXPECT_EQ(MarkedEditorText(Editor()), "one\nthree|");
  EXPECT_TRUE(Reports.empty());
}

}  // namespace
}  // namespace quilmo::test

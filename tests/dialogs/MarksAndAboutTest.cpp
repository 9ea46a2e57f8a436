// The marks manager's commands on a real editor and the sorted list, and the about box's user.

#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "FakeDialogHost.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/MarkForm.h"
#include "app/dialogs/MarksManager.h"
#include "editor/CustomTextFileEditor.h"

namespace quilmo::test {
namespace {

class MarksTest : public ::testing::Test {
 protected:
  MarksTest() {
    std::string text = "|";
    for (int line = 1; line <= 100; ++line) text += "  \tline " + std::to_string(line) + "\n";
    Host.Load(text);
  }
  int AddAt(int line) {
    Host.Editor().SetCaretPosition(line, 3);
    return AddMark(Host.Editor(), List());
  }
  QListWidget& List() { return *Form.ListBox1; }
  QStringList Entries() {
    QStringList entries;
    for (int i = 0; i < List().count(); ++i) entries << List().item(i)->text();
    return entries;
  }

  TFakeDialogHost Host;
  TMarkForm Form;
};

TEST_F(MarksTest, AFreedNumberIsReusedAndListedInOrder) {
  AddAt(10);
  AddAt(20);
  AddAt(30);
  EXPECT_EQ(Entries(), (QStringList{"0 line 10", "1 line 20", "2 line 30"}));
  List().setCurrentRow(1);
  RemoveSelectedMark(Host.Editor(), List());
  EXPECT_EQ(List().currentRow(), 0);
  EXPECT_EQ(AddAt(40), 1);
  EXPECT_EQ(Entries(), (QStringList{"0 line 10", "1 line 40", "2 line 30"}));
  EXPECT_EQ(List().currentRow(), 1);
  EXPECT_EQ(AddAt(10), 0);  // the line already holds mark 0
  EXPECT_EQ(List().count(), 3);
  EXPECT_EQ(List().currentRow(), 0);
}

TEST_F(MarksTest, NothingIsAddedWhenTenAreSetOnOtherLines) {
  for (int n = 0; n < kMarkCount; ++n) EXPECT_EQ(AddAt(1 + n), n);
  EXPECT_EQ(AddAt(50), kMarkCount);
  EXPECT_EQ(List().count(), kMarkCount);
  EXPECT_TRUE(List().selectedItems().isEmpty());
  std::int32_t column = 0;
  EXPECT_EQ(Host.Editor().GetMarkerPosition(9, column), 10);
}

TEST_F(MarksTest, TheMenusAllowWhatTheListHolds) {
  struct Case {
    int entries;
    TMarkMenuEnabling expected;
  };
  const Case cases[] = {
      {0, {false, false, false, true}}, {1, {true, true, false, true}},  {2, {true, true, true, true}},
      {9, {true, true, true, true}},    {10, {true, true, true, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(MarkMenuEnabling(c.entries), c.expected) << c.entries;
}

TEST_F(MarksTest, ShowingAMarkPutsItsLineAtTheTopWithTheCaretAtItsStart) {
  AddAt(5);
  Host.Editor().SetCaretPosition(40, 10);
  AddAt(40);
  int shown = 0;
  Form.OnShowMark = [&] {
    ++shown;
    ShowMarkReporting(Host, List());
  };
  Host.Editor().SetCaretPosition(1, 1);
  List().setCurrentRow(1);
  QTest::keyClick(&List(), Qt::Key_Return);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Host.Editor().TopLine(), 40);
  EXPECT_EQ(Host.Editor().CaretLine(), 40);
  EXPECT_EQ(Host.Editor().CaretCol(), 1);
  EXPECT_EQ(Host.EditorFocusCount, 1);
}

TEST_F(MarksTest, AnEntryWhoseTextWasDeletedStaysAndIsReported) {
  AddAt(99);
  List().setCurrentRow(0);
  // The marked paragraph and the one after it go: the marker is cleared with its text.
  Host.Editor().SetSelection(98, 1, 100, 1, true);
  Host.Editor().DeleteSelection();
  ShowMarkReporting(Host, List());
  EXPECT_EQ(Host.Calls, QStringList{"error:Invalid line or paragraph index"});
  EXPECT_EQ(Entries(), QStringList{"0 line 99"});
  EXPECT_EQ(Host.EditorFocusCount, 0);
}

TEST_F(MarksTest, RemovingAllFromTheContextMenuNeedsText) {
  AddAt(3);
  AddAt(4);
  RemoveAllMarks(Host.Editor(), List(), TRemoveAllFrom::raContextMenu);
  EXPECT_EQ(List().count(), 0);
  std::int32_t column = 0;
  EXPECT_EQ(Host.Editor().GetMarkerPosition(0, column), -1);
  EXPECT_EQ(Host.Editor().GetMarkerPosition(1, column), -1);
}

// Delete removes the selected mark; the context menu comes by the menu key and Shift+F10, at
// the selected entry.
TEST_F(MarksTest, TheListTakesDeleteAndOffersItsMenuByTheKeyboard) {
  AddAt(10);
  AddAt(20);
  Form.show();
  int removed = 0;
  QList<QPoint> menus;
  Form.OnRemoveMark = [&] {
    ++removed;
    RemoveSelectedMark(Host.Editor(), List());
  };
  Form.OnContextMenu = [&](const QPoint& at) { menus << at; };
  const struct {
    const char* Label;
    int Selected;  // -1: none
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    QStringList Left;
    int Menus;
  } cases[] = {
      {"Delete", 1, Qt::Key_Delete, Qt::NoModifier, {"0 line 10"}, 0},
      {"nothing selected", -1, Qt::Key_Delete, Qt::NoModifier, {"0 line 10"}, 0},
      {"Shift+Delete", 0, Qt::Key_Delete, Qt::ShiftModifier, {"0 line 10"}, 0},
      {"Shift+F10", 0, Qt::Key_F10, Qt::ShiftModifier, {"0 line 10"}, 1},
      {"menu key", 0, Qt::Key_Menu, Qt::NoModifier, {"0 line 10"}, 1},
      {"the last one", 0, Qt::Key_Delete, Qt::NoModifier, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    menus.clear();
    List().setCurrentRow(c.Selected);
    if (c.Selected < 0) List().clearSelection();
    List().setFocus();
    if (c.Key == Qt::Key_Menu) {
      // What the platform sends for the menu key.
      const QPoint at = List().visualItemRect(List().currentItem()).center();
      QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, List().viewport()->mapToGlobal(at));
      QCoreApplication::sendEvent(List().viewport(), &menu);
    } else {
      QTest::keyClick(&List(), c.Key, c.Modifiers);
    }
    EXPECT_EQ(Entries(), c.Left);
    ASSERT_EQ(menus.size(), c.Menus);
    if (c.Menus > 0) {
      const QRect entry = List().visualItemRect(List().currentItem());
      EXPECT_TRUE(QRect(List().viewport()->mapToGlobal(entry.topLeft()), entry.size())
                      .adjusted(0, 0, 1, 1)
                      .contains(menus[0]));
    }
  }
  std::int32_t column = 0;
  EXPECT_EQ(Host.Editor().GetMarkerPosition(1, column), -1);
  EXPECT_EQ(Host.Editor().GetMarkerPosition(0, column), -1);
  EXPECT_EQ(removed, 2);
}

TEST(AboutBox, TheOwnerElseTheOrganizationElseFreeUse) {
  struct Case {
    const char* owner;
    const char* organization;
    const char* shown;
  };
  const Case cases[] = {
      {"Jeanne", "Orvane SA", "Jeanne"},
      {"", "Orvane SA", "Orvane SA"},
      {"", "", "Utilisation libre"},
  };
  for (const Case& c : cases) {
    TFakeDialogHost host;
    host.User = {QString::fromUtf8(c.owner), QString::fromUtf8(c.organization)};
    TAboutBox box(host, nullptr);
    EXPECT_EQ(box.Label1->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(box.windowTitle(), "A propos...");
  }
}

}  // namespace
}  // namespace quilmo::test

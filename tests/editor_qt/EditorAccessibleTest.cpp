// What a screen reader reads of the editor widget: the text, caret and selection after
// typing, deleting, selecting, undo and load, the events sent on the way, text by
// character, word, display line and paragraph, and edits made through the interface.

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Controller.h"
#include "editor/qt/Cp1252Text.h"
#include "editor/qt/EditorAccessible.h"
#include "editor/qt/EditorWidget.h"
#include "engine/Search.h"
#include "support/EditorDoc.h"

namespace quilmo::test {
namespace {

std::vector<std::string> Events;
// The text as a reader rebuilds it from the events alone; unknown after a whole-text update.
QString Mirror;
bool MirrorKnown = false;

void RecordEvent(QAccessibleEvent* event) {
  switch (event->type()) {
    case QAccessible::TextInserted: {
      auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
      Events.push_back("ins " + std::to_string(e->changePosition()) + " " + e->textInserted().toStdString());
      Mirror.insert(e->changePosition(), e->textInserted());
      break;
    }
    case QAccessible::TextRemoved: {
      auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
      Events.push_back("del " + std::to_string(e->changePosition()) + " " + e->textRemoved().toStdString());
      if (Mirror.mid(e->changePosition(), e->textRemoved().size()) != e->textRemoved())
        Events.push_back("removed text differs from " + Mirror.toStdString());
      Mirror.remove(e->changePosition(), e->textRemoved().size());
      break;
    }
    case QAccessible::TextUpdated: {
      auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
      Events.push_back("upd");
      if (e->textRemoved().isEmpty() && e->textInserted().isEmpty()) MirrorKnown = false;
      if (Mirror.mid(e->changePosition(), e->textRemoved().size()) != e->textRemoved())
        Events.push_back("replaced text differs from " + Mirror.toStdString());
      Mirror.replace(e->changePosition(), e->textRemoved().size(), e->textInserted());
      break;
    }
    case QAccessible::TextCaretMoved:
      Events.push_back("caret " +
                       std::to_string(static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition()));
      break;
    case QAccessible::TextSelectionChanged: {
      auto* e = static_cast<QAccessibleTextSelectionEvent*>(event);
      Events.push_back("sel " + std::to_string(e->selectionStart()) + " " +
                       std::to_string(e->selectionEnd()));
      break;
    }
    default: break;
  }
}

class EditorAccessible : public ::testing::Test {
 protected:
  void SetUp() override {
    TEditorAccessible::SetEventSink(&RecordEvent);  // offscreen, accessibility never becomes active
    Widget = std::make_unique<TEditorWidget>();
    Widget->Editor().SetController(&Controller);
    Widget->resize(400, 200);
    Widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget.get()));
    Widget->setFocus();
    Iface = QAccessible::queryAccessibleInterface(Widget.get());
    ASSERT_NE(Iface, nullptr);
    Text = Iface->textInterface();
    ASSERT_NE(Text, nullptr);
    Events.clear();
  }
  void TearDown() override {
    Widget.reset();
    TEditorAccessible::SetEventSink(nullptr);
  }
  // The text as a reader must see it, from the paragraphs themselves.
  QString Expected() {
    QString s = BytesToQString(PlainEditorText(Widget->Editor()));
    return s.replace(QChar(0), QChar(0xFFFD));
  }
  // Every offset maps to its own character, and the caret to its paragraph position.
  void CheckAgainstText() {
    const QString expected = Expected();
    ASSERT_EQ(Text->characterCount(), expected.size());
    EXPECT_EQ(Text->text(0, Text->characterCount()), expected);
    for (int i = 0; i < expected.size(); ++i) ASSERT_EQ(Text->text(i, i + 1), expected.mid(i, 1)) << i;
    const TParaPos caret = Widget->Editor().CaretParaPos();
    // A caret behind the end of its line reads as at the end.
    int offset = std::min(caret.Pos, Widget->Editor().ParaList().ParaLength(caret.Para) + 1) - 1;
    for (int p = 1; p < caret.Para; ++p) offset += Widget->Editor().ParaList().ParaLength(p) + 1;
    EXPECT_EQ(Text->cursorPosition(), offset);
  }

  TController Controller;
  std::unique_ptr<TEditorWidget> Widget;
  QAccessibleInterface* Iface = nullptr;
  QAccessibleTextInterface* Text = nullptr;
};

TEST_F(EditorAccessible, EditsSendTheirEventsAndTheTextFollows) {
  using Action = std::function<void(TEditorWidget&, QAccessibleInterface&)>;
  const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return [k, m](TEditorWidget& w, QAccessibleInterface&) { QTest::keyClick(&w, k, m); };
  };
  struct Case {
    const char* Before;
    Action Act;
    const char* After;
    std::vector<std::string> Events;
  } cases[] = {
      {"ab|c\nd",
       [](TEditorWidget& w, QAccessibleInterface&) { QTest::keyClicks(&w, "x"); },
       "abx|c\nd",
       {"ins 2 x", "caret 3"}},
      {"ab|c\nd", key(Qt::Key_Return), "ab\n|c\nd", {"ins 2 \n", "caret 3"}},
      {"ab\n|c", key(Qt::Key_Backspace), "ab|c", {"caret 2", "del 2 \n"}},
      {"a|bc", key(Qt::Key_Delete), "a|c", {"del 1 b"}},
      {"[ab\ncd\n|]ef", key(Qt::Key_Delete), "|ef", {"del 0 ab\n", "del 0 cd\n", "sel 0 0", "caret 0"}},
      {"ab[\ncd|]", key(Qt::Key_Delete), "ab|", {"del 3 cd", "del 2 \n", "sel 0 0", "caret 2"}},
      {"ab\ncd|",
       [](TEditorWidget& w, QAccessibleInterface&) {
         QTest::keyClick(&w, Qt::Key_Return), w.Editor().Undo();
       },
       "ab\ncd|",
       {"ins 5 \n", "caret 6", "del 5 \n", "caret 5"}},
      {"a|bc", key(Qt::Key_Right, Qt::ShiftModifier), "a[b]c", {"sel 1 2", "caret 2"}},
      {"ab|c",
       [](TEditorWidget& w, QAccessibleInterface&) { QTest::keyClicks(&w, "y"), w.Editor().Undo(); },
       "ab|c",
       {"ins 2 y", "caret 3", "del 2 y", "caret 2"}},
      {"ab|c\nd",
       [](TEditorWidget& w, QAccessibleInterface&) { w.Editor().ClearText(true); },
       "|",
       {"upd", "caret 0"}},
      {"ab|c\nd",
       [](TEditorWidget&, QAccessibleInterface& i) {
         i.editableTextInterface()->replaceText(1, 4, QStringLiteral("é\n"));
       },
       "a\xe9\n|d",
       {"caret 1", "sel 1 4", "caret 4", "del 1 bc", "del 1 \n", "ins 1 é", "ins 2 \n", "sel 0 0",
        "caret 3"}},
      {"abc",
       [](TEditorWidget&, QAccessibleInterface& i) { i.textInterface()->setSelection(0, 2, 0); },
       "[|ab]c",
       {"caret 2", "sel 0 2", "caret 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Before);
    LoadMarkedText(Widget->Editor(), c.Before);
    QApplication::processEvents();
    CheckAgainstText();
    Events.clear();
    Mirror = Expected();
    MirrorKnown = true;
    c.Act(*Widget, *Iface);
    EXPECT_EQ(MarkedEditorText(Widget->Editor()), c.After);
    EXPECT_EQ(Events, c.Events);
    if (MirrorKnown) {
      EXPECT_EQ(Mirror, Expected());
    }
    CheckAgainstText();
  }
}

// A reader keeps its copy of the text from the events alone: after each kind of edit, its undo
// and its redo, the copy must be the text, and the index must still map every offset.
TEST_F(EditorAccessible, AReadersCopyFollowsEveryKindOfEdit) {
  const auto type = [](const char* keys, bool insert = true) {
    return [keys, insert](TEditorWidget& w) {
      w.Editor().SetInsertMode(insert);
      QTest::keyClicks(&w, keys);
    };
  };
  const auto replaceAll = [](const char* pattern, const char* replacement) {
    return [pattern, replacement](TEditorWidget& w) {
      w.Editor().Replace(pattern, replacement, soReplaceAll | soEntireScope | soMatchCase);
    };
  };
  // The caret behind the end of its line, then the keys.
  const auto behindEnd = [](std::int32_t pos, Qt::Key k, bool insert = true) {
    return [pos, k, insert](TEditorWidget& w) {
      w.Editor().SetInsertMode(insert);
      w.Editor().SetScrollPastEnd(true);
      w.Editor().MoveCaretToPara(w.Editor().CaretParaPos().Para, pos);
      ASSERT_EQ(w.Editor().CaretParaPos().Pos, pos);
      QTest::keyClick(&w, k);
    };
  };
  struct Case {
    const char* Name;
    const char* Before;
    std::function<void(TEditorWidget&)> Act;
  } cases[] = {
      {"typing", "ab|c\nzz", type("xy")},
      {"overwriting as many", "a|bcd\nzz", type("xy", false)},
      {"overwriting at the end", "ab|\nzz", type("xy", false)},
      {"overwriting across the end", "a|b\nzz", type("xyz", false)},
      {"typing behind the end", "ab|\nzz", behindEnd(5, Qt::Key_X)},
      {"overwriting behind the end", "ab|\nzz", behindEnd(6, Qt::Key_X, false)},
      {"replacing by longer", "abc\nzz", replaceAll("b", "XYZ")},
      {"replacing by shorter", "abbbc\nzz", replaceAll("bbb", "Q")},
      {"replacing by as many", "abc\nzz", replaceAll("b", "\xe9")},
      {"replacing by nothing", "abc\nzz", replaceAll("b", "")},
      {"replacing across paragraphs", "ab\nbb\nxbx\nzz", replaceAll("b", "12")},
      {"replacing by lines", "ab\ncb\nzz", replaceAll("b", "1\n2")},
      {"joining behind the end", "ab|\ncd\nzz", behindEnd(5, Qt::Key_Delete)},
      {"joining an empty line behind the end", "ab|\n\nzz", behindEnd(5, Qt::Key_Delete)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Widget->Editor().SetScrollPastEnd(false);
    LoadMarkedText(Widget->Editor(), c.Before);
    QApplication::processEvents();
    Mirror = Expected();
    MirrorKnown = true;
    Events.clear();
    const std::string before = PlainEditorText(Widget->Editor());
    c.Act(*Widget);
    QApplication::processEvents();
    ASSERT_NE(PlainEditorText(Widget->Editor()), before);  // the edit changed something
    const std::string after = PlainEditorText(Widget->Editor());
    for (const char* step : {"edit", "undo", "redo"}) {
      SCOPED_TRACE(step);
      // Overwriting across the end is several steps: all of them go and come back.
      while (std::string_view(step) == "undo" && Widget->Editor().CanUndo()) Widget->Editor().Undo();
      while (std::string_view(step) == "redo" && Widget->Editor().CanRedo()) Widget->Editor().Redo();
      QApplication::processEvents();
      EXPECT_EQ(PlainEditorText(Widget->Editor()), std::string_view(step) == "undo" ? before : after);
      EXPECT_TRUE(MirrorKnown);
      EXPECT_EQ(Mirror, Expected());
      EXPECT_TRUE(std::none_of(Events.begin(), Events.end(),
                               [](const std::string& e) { return e.find("differs") != std::string::npos; }));
      CheckAgainstText();
    }
  }
}

TEST_F(EditorAccessible, TextByBoundary) {
  Widget->Editor().SetWordWrap(true);
  Widget->Editor().SetWrapColumn(8);
  LoadMarkedText(Widget->Editor(), "Le caf\xe9, noir\nx|y\nfin");
  Widget->Editor().InsertString(std::string_view("\0", 1));
  const QString nul = QString("x") + QChar(0xFFFD) + "y";
  struct Case {
    int Offset;
    QAccessible::TextBoundaryType Boundary;
    QString At, Before, After;
  } cases[] = {
      {0, QAccessible::CharBoundary, "L", "", "e"},
      {13, QAccessible::CharBoundary, "\n", "r", "x"},
      {5, QAccessible::WordBoundary, "caf\u00e9", " ", ", "},
      {7, QAccessible::WordBoundary, ", ", "caf\u00e9", "noir"},
      {13, QAccessible::WordBoundary, "\n", "noir", nul},
      {15, QAccessible::WordBoundary, nul, "\n", "\n"},
      {2, QAccessible::LineBoundary, "Le caf\u00e9, ", "", "noir\n"},
      {10, QAccessible::LineBoundary, "noir\n", "Le caf\u00e9, ", nul + "\n"},
      {10, QAccessible::ParagraphBoundary, "Le caf\u00e9, noir\n", "", nul + "\n"},
      {20, QAccessible::ParagraphBoundary, "fin", nul + "\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Offset);
    int start = -1;
    int end = -1;
    const QString at = Text->textAtOffset(c.Offset, c.Boundary, &start, &end);
    EXPECT_EQ(at, c.At);
    EXPECT_EQ(Text->text(start, end), at);
    EXPECT_EQ(Text->textBeforeOffset(c.Offset, c.Boundary, &start, &end), c.Before);
    EXPECT_EQ(Text->text(start, end), c.Before);
    EXPECT_EQ(Text->textAfterOffset(c.Offset, c.Boundary, &start, &end), c.After);
    EXPECT_EQ(Text->text(start, end), c.After);
  }
}

TEST_F(EditorAccessible, AnEditOfManyParagraphsEndsInOneUpdate) {
  std::string lines;
  for (int i = 0; i < 1500; ++i) lines += "ab\n";
  struct Case {
    const char* Name;
    std::string Before;
    std::function<void(TCustomEditor&)> Act;
  } cases[] = {
      {"paste", "x|y", [&](TCustomEditor& e) { e.InsertString(lines); }},
      {"deletion", "[" + lines + "|]end", [](TCustomEditor& e) { e.DeleteSelection(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    LoadMarkedText(Widget->Editor(), c.Before);
    QApplication::processEvents();
    Events.clear();
    c.Act(Widget->Editor());
    QApplication::processEvents();
    const auto changes = std::count_if(Events.begin(), Events.end(),
                                       [](const std::string& e) { return e[0] == 'i' || e[0] == 'd'; });
    EXPECT_EQ(changes, TEditorAccessible::kMaxRun);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "upd"), 1);
    CheckAgainstText();
  }
}

TEST_F(EditorAccessible, RoleNameAndStates) {
  EXPECT_EQ(Iface->role(), QAccessible::EditableText);
  Widget->setAccessibleName(QStringLiteral("notes.txt"));
  EXPECT_EQ(Iface->text(QAccessible::Name), "notes.txt");
  for (const bool readOnly : {false, true}) {
    Widget->Editor().SetReadOnly(readOnly);
    const QAccessible::State s = Iface->state();
    EXPECT_TRUE(s.multiLine && s.selectableText && s.focusable);
    EXPECT_EQ(s.readOnly, readOnly);
    EXPECT_EQ(s.editable, !readOnly);
  }
  LoadMarkedText(Widget->Editor(), "ab|c");
  Iface->editableTextInterface()->insertText(0, QStringLiteral("z"));
  EXPECT_EQ(MarkedEditorText(Widget->Editor()), "ab|c");  // read-only: no change
}

}  // namespace
}  // namespace quilmo::test

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "editor/BuiltinCommandTables.h"
#include "editor/CommandProcessor.h"
#include "editor/Controller.h"

namespace quilmo {
namespace {

constexpr std::uint8_t C = sfCtrl;
constexpr std::uint8_t S = sfShift;
constexpr std::uint8_t CS = sfCtrl | sfShift;

// Translation results by name, so that a failure reads as "ccHome" vs "ccSequenceBroken".
std::string Key(TCommandProcessor& p, std::uint8_t key, std::uint8_t flags = 0) {
  return CommandName(p.TranslateKey(key, flags));
}
std::string Key(TCommandProcessor& p, char letter, std::uint8_t flags = 0) {
  return Key(p, vkLetter(letter), flags);
}

struct TableChoice {
  std::string_view Name;
  bool Active;
};

// A processor holding built-in tables in the given order and activation.
void UseTables(TCommandProcessor& p, std::initializer_list<TableChoice> tables) {
  p.ClearTables();
  for (const TableChoice& t : tables) {
    p.CreateTable(std::string(t.Name), t.Active);
    for (const KeyBinding& b : BuiltinBindings(t.Name)) p.AddCommand(t.Name, b);
  }
}

TEST(CommandProcessorTest, BuiltsTheThreeTablesInOrder) {
  TCommandProcessor p;
  ASSERT_EQ(p.TableCount(), 3);
  EXPECT_EQ(p.Tables(0).Name(), "Default");
  EXPECT_TRUE(p.Tables(0).Active());
  EXPECT_EQ(p.Tables(0).Count(), 64);
  EXPECT_EQ(p.Tables(1).Name(), "WordStar");
  EXPECT_FALSE(p.Tables(1).Active());
  EXPECT_EQ(p.Tables(1).Count(), 40);
  EXPECT_EQ(p.Tables(2).Name(), "Grid");
  EXPECT_FALSE(p.Tables(2).Active());
  EXPECT_EQ(p.Tables(2).Count(), 38);
  EXPECT_EQ(p.State(), TTranslateState::Idle);

  const TCommandTable& d = p.Tables(0);
  EXPECT_EQ(d.Get(8), Bind(vkBack, S, ccBack));          // row 9
  EXPECT_EQ(d.Get(13), Bind(vkBack, sfAlt, ccRestore));  // row 14
  EXPECT_EQ(d.Get(43), Bind('Z', CS, ccRedo));           // row 44
  EXPECT_EQ(d.Get(44), Bind(vkDigit(0), C, ccGotoMarker0));
  EXPECT_EQ(d.Get(53), Bind(vkDigit(9), C, ccGotoMarker9));
  EXPECT_EQ(d.Get(54), Bind(vkDigit(0), CS, ccSetMarker0));
  EXPECT_EQ(d.Get(63), Bind(vkDigit(9), CS, ccSetMarker9));
  const TCommandTable& w = p.Tables(1);
  EXPECT_EQ(w.Get(10), Bind2('Q', C, 'S', sfNoneOrCtrl, ccHome));
  EXPECT_EQ(w.Get(18), Bind('P', C, ccCtrlChar));
  EXPECT_EQ(w.Get(39), Bind2('K', C, vkDigit(9), sfNoneOrCtrl, ccSetMarker9));
  EXPECT_EQ(p.Tables(2).Get(37), Bind(vkF2, 0, ccTableEdit));
  // No binding of a built-in table is empty (command 0 would act as no binding).
  for (int t = 0; t < 3; ++t)
    for (const KeyBinding& b : p.Tables(t).Bindings()) EXPECT_NE(b.Command, ccNone);
}

TEST(CommandProcessorTest, DefaultTableMatchesModifiersExactly) {
  TCommandProcessor p;
  EXPECT_EQ(Key(p, vkLeft), "ccLeft");
  EXPECT_EQ(Key(p, vkLeft, C), "ccWordLeft");
  EXPECT_EQ(Key(p, vkLeft, CS), "ccExtWordLeft");
  EXPECT_EQ(Key(p, vkLeft, C | sfAlt), "ccNoMatch");
  EXPECT_EQ(Key(p, vkBack, S), "ccBack");
  EXPECT_EQ(Key(p, 'Z', C), "ccUndo");
  EXPECT_EQ(Key(p, 'Z', CS), "ccRedo");
  EXPECT_EQ(Key(p, 'Z'), "ccNoMatch");
  EXPECT_EQ(Key(p, vkDigit(5), C), "ccGotoMarker5");
  EXPECT_EQ(Key(p, vkDigit(5), CS), "ccSetMarker5");
  EXPECT_EQ(Key(p, vkReturn), "ccNoMatch");  // plain Enter is the control's own
  EXPECT_EQ(Key(p, vkReturn, C), "ccNewLine");
  EXPECT_EQ(CommandName(p.TranslateSystemKey(vkBack, TShiftState{.Alt = true})), "ccRestore");
  EXPECT_EQ(CommandName(p.TranslateSystemKey(vkBack, TShiftState{.Shift = true})), "ccBack");
  // Only the low byte of a system key counts.
  EXPECT_EQ(CommandName(p.TranslateSystemKey(0x0100 | vkBack, TShiftState{.Alt = true})), "ccRestore");
  EXPECT_EQ(p.State(), TTranslateState::Idle);
}

TEST(CommandProcessorTest, ModifierKeysAloneChangeNothing) {
  TCommandProcessor p;
  for (std::uint8_t key : {vkShift, vkControl, vkMenu, vkCapital, vkNumLock, vkScroll}) {
    EXPECT_EQ(Key(p, key), "ccNoMatch");
    EXPECT_EQ(Key(p, key, C), "ccNoMatch");
    EXPECT_EQ(p.State(), TTranslateState::Idle);
  }
  EXPECT_EQ(Key(p, vkLeft), "ccLeft");
}

TEST(CommandProcessorTest, WordStarSecondKeyWithOrWithoutCtrl) {
  TCommandProcessor p;
  UseTables(p, {{"WordStar", true}, {"Default", true}});
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(p.State(), TTranslateState::AwaitingSecondKey);
  EXPECT_EQ(Key(p, 'S'), "ccHome");
  EXPECT_EQ(p.State(), TTranslateState::Idle);

  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'S', C), "ccHome");

  // 128 covers no modifier and Ctrl alone, not Shift, not Ctrl+Shift, not Alt.
  for (std::uint8_t flags : {S, CS, sfAlt}) {
    EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
    EXPECT_EQ(Key(p, 'S', flags), "ccSequenceBroken") << int(flags);
    EXPECT_EQ(p.State(), TTranslateState::Idle);
  }

  EXPECT_EQ(Key(p, 'K', C), "ccSequencePending");
  EXPECT_EQ(Key(p, vkDigit(7)), "ccSetMarker7");
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, vkDigit(0), C), "ccGotoMarker0");
}

TEST(CommandProcessorTest, ModifierPressWhileWaitingKeepsTheSequence) {
  TCommandProcessor p;
  UseTables(p, {{"WordStar", true}});
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, vkShift, S), "ccSequencePending");
  EXPECT_EQ(Key(p, 'S', S), "ccSequenceBroken");

  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, vkControl, C), "ccSequencePending");
  EXPECT_EQ(Key(p, vkCapital), "ccSequencePending");
  EXPECT_EQ(Key(p, 'D', C), "ccEnd");
}

TEST(CommandProcessorTest, BrokenSequenceLetsTheNextKeyThrough) {
  TCommandProcessor p;
  UseTables(p, {{"WordStar", true}, {"Default", true}});
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'X'), "ccSequenceBroken");
  // The key after is translated afresh, not as a second key.
  EXPECT_EQ(Key(p, 'S', C), "ccLeft");
  EXPECT_EQ(Key(p, vkLeft), "ccLeft");
  // A key bound as a single key in a later table still breaks a pending sequence.
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, vkLeft), "ccSequenceBroken");
}

TEST(CommandProcessorTest, CtrlCharTakesTheNextKeyLiterally) {
  TCommandProcessor p;
  UseTables(p, {{"WordStar", true}});
  EXPECT_EQ(Key(p, 'P', C), "ccCtrlChar");
  EXPECT_EQ(p.State(), TTranslateState::LiteralNext);
  EXPECT_EQ(Key(p, 'A'), "ccNoMatch");
  EXPECT_EQ(p.State(), TTranslateState::Idle);

  // A bound key is passed through too, and a modifier press in between does not use it up.
  EXPECT_EQ(Key(p, 'P', C), "ccCtrlChar");
  EXPECT_EQ(Key(p, vkControl, C), "ccNoMatch");
  EXPECT_EQ(p.State(), TTranslateState::LiteralNext);
  EXPECT_EQ(Key(p, 'S', C), "ccNoMatch");
  EXPECT_EQ(Key(p, 'S', C), "ccLeft");

  // Even a key that would start a sequence.
  EXPECT_EQ(Key(p, 'P', C), "ccCtrlChar");
  EXPECT_EQ(Key(p, 'Q', C), "ccNoMatch");
  EXPECT_EQ(p.State(), TTranslateState::Idle);
}

TEST(CommandProcessorTest, CtrlCharAsSecondKeyOfASequence) {
  TCommandProcessor p;
  p.ClearTables();
  p.CreateTable("Mine", true);
  p.AddCommand("Mine", Bind2('Q', C, 'P', sfNoneOrCtrl, ccCtrlChar));
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'P', C), "ccCtrlChar");
  EXPECT_EQ(p.State(), TTranslateState::LiteralNext);
  EXPECT_EQ(Key(p, 'Q', C), "ccNoMatch");
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
}

TEST(CommandProcessorTest, FirstActiveTableWins) {
  TCommandProcessor p;
  // WordStar activated but after Default: Default's Ctrl+X stays, WordStar adds Ctrl+Q.
  p.Tables(1).SetActive(true);
  EXPECT_EQ(Key(p, 'X', C), "ccCut");
  EXPECT_EQ(Key(p, 'Y', C), "ccDelLine");
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'S'), "ccHome");

  UseTables(p, {{"WordStar", true}, {"Default", true}});
  EXPECT_EQ(Key(p, 'X', C), "ccDown");
  EXPECT_EQ(Key(p, 'Z', C), "ccScrollDown");
  EXPECT_EQ(Key(p, 'Z', CS), "ccRedo");

  // Inactive tables are skipped whatever their place.
  UseTables(p, {{"Default", false}, {"Grid", true}});
  EXPECT_EQ(Key(p, vkUp, C), "ccTopLeftCell");
  EXPECT_EQ(Key(p, 'Z', C), "ccRestore");
  EXPECT_EQ(Key(p, vkTab), "ccNoMatch");
  p.Tables(1).SetActive(false);
  EXPECT_EQ(Key(p, vkLeft), "ccNoMatch");
}

TEST(CommandProcessorTest, SequenceShadowsLaterSingleKeyAndCompletesInAnyTable) {
  TCommandProcessor p;
  p.ClearTables();
  p.CreateTable("First", true);
  p.CreateTable("Second", true);
  p.AddCommand("First", Bind2('K', C, 'B', sfShift, 300));
  p.AddCommand("First", Bind('K', C, 301));
  p.AddCommand("Second", Bind2('K', C, 'C', 0, 302));
  p.AddCommand("Second", Bind('B', 0, 303));

  EXPECT_EQ(Key(p, 'K', C), "ccSequencePending");  // the single key is shadowed
  EXPECT_EQ(Key(p, 'B', S), "ccUser300");
  EXPECT_EQ(Key(p, 'K', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'B'), "ccSequenceBroken");  // exact second shift, no wildcard
  EXPECT_EQ(Key(p, 'K', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'C'), "ccUser302");  // completed by the second table
  EXPECT_EQ(Key(p, 'K', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'C', C), "ccSequenceBroken");  // SecondShift 0 means no modifier
  EXPECT_EQ(Key(p, 'B'), "ccUser303");
}

TEST(CommandProcessorTest, BindingWithCommandZeroActsAsNoBinding) {
  TCommandProcessor p;
  p.ClearTables();
  p.CreateTable("First", true);
  p.CreateTable("Second", true);
  p.AddCommand("First", Bind('A', 0, ccNone));
  p.AddCommand("First", Bind2('Q', C, 'A', 0, ccNone));
  p.AddCommand("Second", Bind('A', 0, 400));
  p.AddCommand("Second", Bind2('Q', C, 'A', 0, 401));
  EXPECT_EQ(Key(p, 'A'), "ccUser400");
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'A'), "ccUser401");

  p.Tables(1).SetActive(false);
  EXPECT_EQ(Key(p, 'A'), "ccNoMatch");
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  EXPECT_EQ(Key(p, 'A'), "ccSequenceBroken");
  EXPECT_EQ(p.State(), TTranslateState::Idle);
}

TEST(CommandProcessorTest, ResetStateDropsAPendingKey) {
  TCommandProcessor p;
  UseTables(p, {{"WordStar", true}});
  EXPECT_EQ(Key(p, 'Q', C), "ccSequencePending");
  p.ResetState();
  EXPECT_EQ(p.State(), TTranslateState::Idle);
  EXPECT_EQ(Key(p, 'S'), "ccNoMatch");
  EXPECT_EQ(Key(p, 'P', C), "ccCtrlChar");
  p.ResetState();
  EXPECT_EQ(Key(p, 'S', C), "ccLeft");
}

TEST(CommandProcessorTest, UniqueTableNames) {
  TCommandProcessor p;
  EXPECT_EQ(p.Tables(p.CreateTable("Default", true)).Name(), "Default1");
  EXPECT_EQ(p.Tables(p.CreateTable("default", true)).Name(), "default2");
  EXPECT_EQ(p.Tables(p.CreateTable("Default1", true)).Name(), "Default3");
  EXPECT_EQ(p.Tables(p.CreateTable("Grid007", true)).Name(), "Grid1");

  // No table named "Table": the name is kept, even when "Table2" exists.
  const int first = p.CreateTable("Table2", true);
  const int second = p.CreateTable("Table2", false);
  EXPECT_EQ(p.Tables(first).Name(), "Table2");
  EXPECT_EQ(p.Tables(second).Name(), "Table2");
  EXPECT_EQ(p.FindTable("TABLE2"), &p.Tables(first));
  p.CreateTable("Table", true);
  EXPECT_EQ(p.Tables(p.CreateTable("Table2", true)).Name(), "Table1");

  // A name is never stripped below one character.
  EXPECT_EQ(p.Tables(p.CreateTable("7", true)).Name(), "7");
  EXPECT_EQ(p.Tables(p.CreateTable("7", true)).Name(), "71");
  EXPECT_EQ(p.Tables(p.CreateTable("12", true)).Name(), "12");  // base "1": no such table
}

TEST(CommandProcessorTest, AddCommandErrors) {
  TCommandProcessor p;
  EXPECT_EQ(p.FindTable("wordSTAR"), &p.Tables(1));
  EXPECT_EQ(p.FindTable("Nope"), nullptr);
  try {
    p.AddCommand("Nope", Bind('A', 0, ccLeft));
    FAIL() << "no exception";
  } catch (const ETableNotFound& e) {
    EXPECT_STREQ(e.what(), "Command table not found or command table index out of range");
  }
  try {
    p.AddCommand("default", Bind(vkLeft, 0, ccRight));  // same keys, other command
    FAIL() << "no exception";
  } catch (const EDuplicateCommand& e) {
    EXPECT_STREQ(e.what(), "Duplicate command found while adding a new command to the table");
  }
  EXPECT_EQ(p.Tables(0).Count(), 64);
  EXPECT_EQ(p.Tables(0).Get(0).Command, ccLeft);
  EXPECT_EQ(p.AddCommand("Default", Bind(vkLeft, sfAlt, 500)), 64);
  EXPECT_THROW(p.AddCommand("WordStar", Bind2('Q', C, 'S', sfNoneOrCtrl, ccEnd)), ECmdProcessorError);
  EXPECT_THROW(p.Tables(3), ETableNotFound);
  EXPECT_THROW(p.Tables(-1), EQuilmoException);

  p.ClearTables();
  EXPECT_EQ(p.TableCount(), 0);
  EXPECT_EQ(Key(p, vkLeft), "ccNoMatch");
}

TEST(ControllerTest, OwnsProcessorAndInsertMode) {
  TController c;
  EXPECT_TRUE(c.InsertMode());
  c.SetInsertMode(false);
  EXPECT_FALSE(c.InsertMode());
  EXPECT_EQ(c.EntryCommands().TableCount(), 3);
  EXPECT_EQ(&DefaultController(), &DefaultController());
  EXPECT_NE(&DefaultController().EntryCommands(), &c.EntryCommands());
}

}  // namespace
}  // namespace quilmo

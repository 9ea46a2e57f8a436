#include "editor/BuiltinCommandTables.h"

#include <array>

#include "editor/CommandTable.h"

namespace quilmo {
namespace {

constexpr std::uint8_t C = sfCtrl;
constexpr std::uint8_t S = sfShift;
constexpr std::uint8_t CS = sfCtrl | sfShift;
constexpr std::uint8_t A = sfAlt;
// Second key of a WordStar sequence: fires with or without Ctrl held.
constexpr std::uint8_t W = sfNoneOrCtrl;

constexpr std::array<KeyBinding, 64> kDefault = [] {
  std::array<KeyBinding, 64> t{{
      Bind(vkLeft, 0, ccLeft),
      Bind(vkRight, 0, ccRight),
      Bind(vkLeft, C, ccWordLeft),
      Bind(vkRight, C, ccWordRight),
      Bind(vkHome, 0, ccHome),
      Bind(vkEnd, 0, ccEnd),
      Bind(vkDelete, 0, ccDel),
      Bind(vkBack, 0, ccBack),
      Bind(vkBack, S, ccBack),
      Bind(vkPrior, C, ccTopOfPage),
      Bind(vkNext, C, ccBotOfPage),
      Bind(vkInsert, 0, ccIns),
      Bind(vkLetter('Z'), C, ccUndo),
      Bind(vkBack, A, ccRestore),
      Bind(vkUp, 0, ccUp),
      Bind(vkDown, 0, ccDown),
      Bind(vkReturn, C, ccNewLine),
      Bind(vkLeft, S, ccExtendLeft),
      Bind(vkRight, S, ccExtendRight),
      Bind(vkHome, S, ccExtendHome),
      Bind(vkEnd, S, ccExtendEnd),
      Bind(vkLeft, CS, ccExtWordLeft),
      Bind(vkRight, CS, ccExtWordRight),
      Bind(vkPrior, S, ccExtendPgUp),
      Bind(vkNext, S, ccExtendPgDn),
      Bind(vkUp, S, ccExtendUp),
      Bind(vkDown, S, ccExtendDown),
      Bind(vkHome, CS, ccExtFirstPage),
      Bind(vkEnd, CS, ccExtLastPage),
      Bind(vkPrior, CS, ccExtTopOfPage),
      Bind(vkNext, CS, ccExtBotOfPage),
      Bind(vkDelete, S, ccCut),
      Bind(vkLetter('X'), C, ccCut),
      Bind(vkInsert, C, ccCopy),
      Bind(vkLetter('C'), C, ccCopy),
      Bind(vkInsert, S, ccPaste),
      Bind(vkLetter('V'), C, ccPaste),
      Bind(vkPrior, 0, ccPrevPage),
      Bind(vkNext, 0, ccNextPage),
      Bind(vkHome, C, ccFirstPage),
      Bind(vkEnd, C, ccLastPage),
      Bind(vkTab, 0, ccTab),
      Bind(vkTab, C, ccTab),
      Bind(vkLetter('Z'), CS, ccRedo),
  }};
  for (int d = 0; d < 10; ++d) {
    t[static_cast<std::size_t>(44 + d)] = Bind(vkDigit(d), C, static_cast<TEditorCommand>(ccGotoMarker0 + d));
    t[static_cast<std::size_t>(54 + d)] = Bind(vkDigit(d), CS, static_cast<TEditorCommand>(ccSetMarker0 + d));
  }
  return t;
}();

constexpr std::array<KeyBinding, 40> kWordStar = [] {
  std::array<KeyBinding, 40> t{{
      Bind(vkLetter('S'), C, ccLeft),
      Bind(vkLetter('D'), C, ccRight),
      Bind(vkLetter('E'), C, ccUp),
      Bind(vkLetter('X'), C, ccDown),
      Bind(vkLetter('R'), C, ccPrevPage),
      Bind(vkLetter('C'), C, ccNextPage),
      Bind(vkLetter('W'), C, ccScrollUp),
      Bind(vkLetter('Z'), C, ccScrollDown),
      Bind(vkLetter('A'), C, ccWordLeft),
      Bind(vkLetter('F'), C, ccWordRight),
      Bind2(vkLetter('Q'), C, vkLetter('S'), W, ccHome),
      Bind2(vkLetter('Q'), C, vkLetter('D'), W, ccEnd),
      Bind(vkLetter('G'), C, ccDel),
      Bind(vkLetter('H'), C, ccBack),
      Bind(vkLetter('Y'), C, ccDelLine),
      Bind2(vkLetter('Q'), C, vkLetter('Y'), W, ccDelEol),
      Bind(vkLetter('V'), C, ccIns),
      Bind(vkLetter('T'), C, ccDelWord),
      Bind(vkLetter('P'), C, ccCtrlChar),
      Bind2(vkLetter('Q'), C, vkLetter('L'), W, ccRestore),
  }};
  for (int d = 0; d < 10; ++d) {
    t[static_cast<std::size_t>(20 + d)] =
        Bind2(vkLetter('Q'), C, vkDigit(d), W, static_cast<TEditorCommand>(ccGotoMarker0 + d));
    t[static_cast<std::size_t>(30 + d)] =
        Bind2(vkLetter('K'), C, vkDigit(d), W, static_cast<TEditorCommand>(ccSetMarker0 + d));
  }
  return t;
}();

constexpr std::array<KeyBinding, 38> kGrid = {{
    Bind(vkLeft, 0, ccLeft),
    Bind(vkRight, 0, ccRight),
    Bind(vkLeft, C, ccPageLeft),
    Bind(vkRight, C, ccPageRight),
    Bind(vkHome, 0, ccHome),
    Bind(vkEnd, 0, ccEnd),
    Bind(vkDelete, 0, ccDel),
    Bind(vkBack, 0, ccBack),
    Bind(vkNext, C, ccBotOfPage),
    Bind(vkPrior, C, ccTopOfPage),
    Bind(vkInsert, 0, ccIns),
    Bind(vkLetter('Z'), C, ccRestore),
    Bind(vkUp, 0, ccUp),
    Bind(vkDown, 0, ccDown),
    Bind(vkLeft, S, ccExtendLeft),
    Bind(vkRight, S, ccExtendRight),
    Bind(vkHome, S, ccExtendHome),
    Bind(vkEnd, S, ccExtendEnd),
    Bind(vkLeft, CS, ccExtWordLeft),
    Bind(vkRight, CS, ccExtWordRight),
    Bind(vkPrior, S, ccExtendPgUp),
    Bind(vkNext, S, ccExtendPgDn),
    Bind(vkUp, S, ccExtendUp),
    Bind(vkDown, S, ccExtendDown),
    Bind(vkHome, CS, ccExtFirstPage),
    Bind(vkEnd, CS, ccExtLastPage),
    Bind(vkPrior, CS, ccExtTopOfPage),
    Bind(vkNext, CS, ccExtBotOfPage),
    Bind(vkLetter('X'), C, ccCut),
    Bind(vkLetter('C'), C, ccCopy),
    Bind(vkLetter('V'), C, ccPaste),
    Bind(vkPrior, 0, ccPrevPage),
    Bind(vkHome, C, ccFirstPage),
    Bind(vkNext, 0, ccNextPage),
    Bind(vkEnd, C, ccLastPage),
    Bind(vkUp, C, ccTopLeftCell),
    Bind(vkDown, C, ccBotRightCell),
    Bind(vkF2, 0, ccTableEdit),
}};

}  // namespace

std::span<const KeyBinding> DefaultBindings() {
  return kDefault;
}
std::span<const KeyBinding> WordStarBindings() {
  return kWordStar;
}
std::span<const KeyBinding> GridBindings() {
  return kGrid;
}

std::span<const KeyBinding> BuiltinBindings(std::string_view tableName) {
  if (SameTableName(tableName, kDefaultTableName)) return kDefault;
  if (SameTableName(tableName, kWordStarTableName)) return kWordStar;
  if (SameTableName(tableName, kGridTableName)) return kGrid;
  return {};
}

}  // namespace quilmo

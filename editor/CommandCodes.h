#pragma once
// Editor command codes. Codes 0..75 are the named commands, in this fixed numbering;
// 249, 252, 254 and 255 are reserved; 256 and above are user commands.

#include <cstdint>
#include <string>

namespace quilmo {

using TEditorCommand = std::uint16_t;

enum : TEditorCommand {
  ccNone = 0,
  ccBack = 1,
  ccBotOfPage = 2,
  ccBotRightCell = 3,
  ccCompleteDate = 4,
  ccCompleteTime = 5,
  ccCopy = 6,
  ccCtrlChar = 7,
  ccCut = 8,
  ccDec = 9,
  ccDel = 10,
  ccDelBol = 11,
  ccDelEol = 12,
  ccDelLine = 13,
  ccDelWord = 14,
  ccDown = 15,
  ccEnd = 16,
  ccExtendDown = 17,
  ccExtendEnd = 18,
  ccExtendHome = 19,
  ccExtendLeft = 20,
  ccExtendPgDn = 21,
  ccExtendPgUp = 22,
  ccExtendRight = 23,
  ccExtendUp = 24,
  ccExtBotOfPage = 25,
  ccExtFirstPage = 26,
  ccExtLastPage = 27,
  ccExtTopOfPage = 28,
  ccExtWordLeft = 29,
  ccExtWordRight = 30,
  ccFirstPage = 31,
  ccGotoMarker0 = 32,
  ccGotoMarker9 = 41,
  ccHome = 42,
  ccInc = 43,
  ccIns = 44,
  ccLastPage = 45,
  ccLeft = 46,
  ccNewLine = 47,
  ccNextPage = 48,
  ccPageLeft = 49,
  ccPageRight = 50,
  ccPaste = 51,
  ccPrevPage = 52,
  ccRedo = 53,
  ccRestore = 54,
  ccRight = 55,
  ccScrollDown = 56,
  ccScrollUp = 57,
  ccSetMarker0 = 58,
  ccSetMarker9 = 67,
  ccTab = 68,
  ccTableEdit = 69,
  ccTopLeftCell = 70,
  ccTopOfPage = 71,
  ccUndo = 72,
  ccUp = 73,
  ccWordLeft = 74,
  ccWordRight = 75,
  ccTypeChar = 249,
  ccNoMatch = 252,
  ccSequenceBroken = 254,
  ccSequencePending = 255,
  ccUserFirst = 256,
};

// The command's name ("ccLeft", "ccGotoMarker3", "ccUser300" ...), for messages and tests.
std::string CommandName(TEditorCommand command);

}  // namespace quilmo

#include "editor/CommandCodes.h"

#include <array>

namespace quilmo {
namespace {

constexpr std::array<const char*, 76> kNames = {
    "ccNone",         "ccBack",         "ccBotOfPage",   "ccBotRightCell", "ccCompleteDate",
    "ccCompleteTime", "ccCopy",         "ccCtrlChar",    "ccCut",          "ccDec",
    "ccDel",          "ccDelBol",       "ccDelEol",      "ccDelLine",      "ccDelWord",
    "ccDown",         "ccEnd",          "ccExtendDown",  "ccExtendEnd",    "ccExtendHome",
    "ccExtendLeft",   "ccExtendPgDn",   "ccExtendPgUp",  "ccExtendRight",  "ccExtendUp",
    "ccExtBotOfPage", "ccExtFirstPage", "ccExtLastPage", "ccExtTopOfPage", "ccExtWordLeft",
    "ccExtWordRight", "ccFirstPage",    nullptr,         nullptr,          nullptr,
    nullptr,          nullptr,          nullptr,         nullptr,          nullptr,
    nullptr,          nullptr,          "ccHome",        "ccInc",          "ccIns",
    "ccLastPage",     "ccLeft",         "ccNewLine",     "ccNextPage",     "ccPageLeft",
    "ccPageRight",    "ccPaste",        "ccPrevPage",    "ccRedo",         "ccRestore",
    "ccRight",        "ccScrollDown",   "ccScrollUp",    nullptr,          nullptr,
    nullptr,          nullptr,          nullptr,         nullptr,          nullptr,
    nullptr,          nullptr,          nullptr,         "ccTab",          "ccTableEdit",
    "ccTopLeftCell",  "ccTopOfPage",    "ccUndo",        "ccUp",           "ccWordLeft",
    "ccWordRight"};

}  // namespace

std::string CommandName(TEditorCommand command) {
  if (command >= ccGotoMarker0 && command <= ccGotoMarker9)
    return "ccGotoMarker" + std::to_string(command - ccGotoMarker0);
  if (command >= ccSetMarker0 && command <= ccSetMarker9)
    return "ccSetMarker" + std::to_string(command - ccSetMarker0);
  if (command < kNames.size()) return kNames[command];
  switch (command) {
    case ccTypeChar: return "ccTypeChar";
    case ccNoMatch: return "ccNoMatch";
    case ccSequenceBroken: return "ccSequenceBroken";
    case ccSequencePending: return "ccSequencePending";
    default: break;
  }
  if (command >= ccUserFirst) return "ccUser" + std::to_string(command);
  return "cc" + std::to_string(command);
}

}  // namespace quilmo

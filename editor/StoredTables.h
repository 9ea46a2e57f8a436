#pragma once
// The stored form of the command tables, kept with the main window's settings.
//
// "TableList": per table its name, its Active flag and a list of (KeySequence, command)
// pairs. Built-in tables ("Default", "WordStar", "Grid", names compared without regard to
// case) store only their differences from the built-in list; other tables store every
// binding. "CommandList": the pair list of one table stored on its own.
//
// Text form (plain ASCII, one table per line, for a settings store):
//   "Default" 1 520:0 1072:0 1092:13
//   "WordStar" 0
// The name is quoted; '"', '\\' and bytes outside printable ASCII are escaped as \", \\ and
// \xHH. Then the flag 0 or 1, then the pairs as KeySequence:command (KeySequence as a signed
// 32-bit number, command 0..65535). Lines end with LF or CR LF; blank lines are ignored.
// A CommandList is the pairs alone, separated by blanks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/CommandProcessor.h"

namespace quilmo {

using TStoredPair = std::pair<std::int32_t, std::int32_t>;  // (KeySequence, command)
using TStoredPairs = std::vector<TStoredPair>;

struct TStoredTable {
  std::string Name;
  bool Active = true;
  TStoredPairs Pairs;
  bool operator==(const TStoredTable&) const = default;
};

using TStoredTables = std::vector<TStoredTable>;

// Writing one table: every pair, or for a built-in name first (KeySequence, 0) for each
// built-in binding whose keys the table no longer has, then every binding that differs from
// the built-in binding of the same keys.
TStoredPairs StoredPairs(const TCommandTable& table);
// Reading one table's pairs (the name is the table's own): the bindings are emptied; a
// built-in name gets its built-in list, then each pair appends (new keys), replaces the
// command (non-zero) or deletes (0); any other name appends every pair in order.
// Raises ECmdProcessorError, with the table unchanged, when a command is outside 0..65535.
void LoadStoredPairs(TCommandTable& table, const TStoredPairs& pairs);

TStoredTable StoreTable(const TCommandTable& table);
void LoadTable(TCommandTable& table, const TStoredTable& stored);

TStoredTables StoreTables(const TCommandProcessor& processor);
// Replaces all tables (each added with AddTable, so duplicate names are renamed). The
// translation state is not changed. On error the tables are unchanged.
void LoadTables(TCommandProcessor& processor, const TStoredTables& stored);

// Text form. The readers raise ECmdFileError naming the line and what is wrong.
std::string TableListToText(const TStoredTables& tables);
TStoredTables TableListFromText(std::string_view text);
std::string CommandListToText(const TStoredPairs& pairs);
TStoredPairs CommandListFromText(std::string_view text);

// The properties as a settings store holds them: nothing to write when the processor has no
// table (the table no binding); reading leaves everything unchanged on error.
std::optional<std::string> TableListProperty(const TCommandProcessor& processor);
void ReadTableListProperty(TCommandProcessor& processor, std::string_view text);
std::optional<std::string> CommandListProperty(const TCommandTable& table);
void ReadCommandListProperty(TCommandTable& table, std::string_view text);

// The tables the main window ships: "Default" without Shift+Backspace and the Ctrl+digit and
// Ctrl+Shift+digit marker keys, with Ctrl+D deleting the line; "WordStar" and "Grid" inactive.
TStoredTables AppCommandTables();
void ApplyAppCommandTables(TCommandProcessor& processor);

}  // namespace quilmo

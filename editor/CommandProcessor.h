#pragma once
// The command processor: an ordered set of named command tables and the translation of
// keys into editor commands, including the state between the two keys of a sequence.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CommandTable.h"

namespace quilmo {

enum class TTranslateState : std::uint8_t { Idle = 0, AwaitingSecondKey = 1, LiteralNext = 2 };

class TCommandProcessor {
 public:
  // Builds the built-in tables "Default" (active), "WordStar" and "Grid" (inactive).
  TCommandProcessor();
  virtual ~TCommandProcessor();
  TCommandProcessor(const TCommandProcessor&) = delete;
  TCommandProcessor& operator=(const TCommandProcessor&) = delete;

  // A key-down: its virtual-key code and its shift flags (Shift 2, Ctrl 4, Alt 8).
  TEditorCommand TranslateKey(std::uint8_t keyCode, std::uint8_t shiftFlags);
  // A system key-down (a key pressed with Alt); the low byte of `key` is the key code.
  TEditorCommand TranslateSystemKey(std::uint16_t key, TShiftState shift);
  void ResetState();
  TTranslateState State() const { return FState; }

  // Makes an empty table, adds it with AddTable and returns its index.
  int CreateTable(std::string name, bool active);
  // Takes the table, renames it when its name is taken (see UniqueTableName), appends it
  // and returns its index.
  int AddTable(std::unique_ptr<TCommandTable> table);
  // The first table named `name` without regard to case, or nullptr.
  TCommandTable* FindTable(std::string_view name);
  const TCommandTable* FindTable(std::string_view name) const;
  // Appends to the named table and returns the index there. Raises ETableNotFound, or
  // EDuplicateCommand when the table already has the binding's keys (the table is unchanged).
  int AddCommand(std::string_view tableName, const KeyBinding& binding);
  void ClearTables();

  // Reads a new active table from a text file, adds it with AddTable, returns its index.
  // On any error the tables are unchanged.
  virtual int ReadTableFromFile(const std::filesystem::path& fileName);
  // Writes the named table; nothing when no table has that name.
  virtual void WriteTableToFile(std::string_view tableName, const std::filesystem::path& fileName) const;

  int TableCount() const { return static_cast<int>(FTables.size()); }
  // Raises ETableNotFound when the index is out of range.
  TCommandTable& Tables(int index);
  const TCommandTable& Tables(int index) const;

  // The name AddTable would give a table named `name`: trailing digits are stripped (while
  // the name is longer than one character) to get a base; when no table is named like the
  // base, `name` is kept, else the base followed by the first free number 1, 2, 3 ...
  std::string UniqueTableName(std::string_view name) const;

 private:
  TEditorCommand Translate(std::uint8_t key, std::uint8_t flags);
  TEditorCommand SearchTable(const TCommandTable& table, std::uint8_t key, std::uint8_t flags);

  std::vector<std::unique_ptr<TCommandTable>> FTables;
  TTranslateState FState = TTranslateState::Idle;
  std::uint8_t FSavedKey = 0;
  std::uint8_t FSavedShift = 0;
};

}  // namespace quilmo

#include "editor/CommandProcessor.h"

#include "editor/BuiltinCommandTables.h"

namespace quilmo {
namespace {

bool IsModifierKey(std::uint8_t key) {
  return key == vkShift || key == vkControl || key == vkMenu || key == vkCapital || key == vkNumLock ||
         key == vkScroll;
}

bool SecondShiftMatches(std::uint8_t bound, std::uint8_t flags) {
  return bound == flags || (bound == sfNoneOrCtrl && (flags == sfNone || flags == sfCtrl));
}

}  // namespace

TCommandProcessor::TCommandProcessor() {
  const struct {
    std::string_view Name;
    bool Active;
    std::span<const KeyBinding> Bindings;
  } builtins[] = {{kDefaultTableName, true, DefaultBindings()},
                  {kWordStarTableName, false, WordStarBindings()},
                  {kGridTableName, false, GridBindings()}};
  for (const auto& builtin : builtins) {
    CreateTable(std::string(builtin.Name), builtin.Active);
    for (const KeyBinding& binding : builtin.Bindings) AddCommand(builtin.Name, binding);
  }
  ResetState();
}

TCommandProcessor::~TCommandProcessor() = default;

TEditorCommand TCommandProcessor::TranslateKey(std::uint8_t keyCode, std::uint8_t shiftFlags) {
  return Translate(keyCode, static_cast<std::uint8_t>(shiftFlags & sfModifierMask));
}

TEditorCommand TCommandProcessor::TranslateSystemKey(std::uint16_t key, TShiftState shift) {
  return Translate(static_cast<std::uint8_t>(key & 0xFF), ShiftFlags(shift));
}

void TCommandProcessor::ResetState() {
  FState = TTranslateState::Idle;
  FSavedKey = 0;
  FSavedShift = 0;
}

TEditorCommand TCommandProcessor::Translate(std::uint8_t key, std::uint8_t flags) {
  // A modifier press keeps a pending first key or literal waiting.
  if (IsModifierKey(key)) return FState == TTranslateState::AwaitingSecondKey ? ccSequencePending : ccNoMatch;
  if (FState == TTranslateState::LiteralNext) {
    FState = TTranslateState::Idle;
    return ccNoMatch;
  }
  for (const auto& table : FTables) {
    if (!table->Active()) continue;
    if (const TEditorCommand result = SearchTable(*table, key, flags); result != ccNone) return result;
  }
  const TEditorCommand result = FState == TTranslateState::AwaitingSecondKey ? ccSequenceBroken : ccNoMatch;
  FState = TTranslateState::Idle;
  return result;
}

// The first binding that matches decides; 0 when none does or when its command is 0, and
// then the state is left as it was so that the next table is searched the same way.
TEditorCommand TCommandProcessor::SearchTable(const TCommandTable& table, std::uint8_t key,
                                              std::uint8_t flags) {
  if (FState == TTranslateState::AwaitingSecondKey) {
    for (const KeyBinding& b : table.Bindings()) {
      if (b.FirstKey != FSavedKey || b.FirstShift != FSavedShift || b.SecondKey != key ||
          !SecondShiftMatches(b.SecondShift, flags))
        continue;
      if (b.Command != ccNone)
        FState = b.Command == ccCtrlChar ? TTranslateState::LiteralNext : TTranslateState::Idle;
      return b.Command;
    }
    return ccNone;
  }
  for (const KeyBinding& b : table.Bindings()) {
    if (b.FirstKey != key || b.FirstShift != flags) continue;
    if (b.SecondKey != 0) {
      FSavedKey = key;
      FSavedShift = flags;
      FState = TTranslateState::AwaitingSecondKey;
      return ccSequencePending;
    }
    if (b.Command == ccCtrlChar) FState = TTranslateState::LiteralNext;
    return b.Command;
  }
  return ccNone;
}

std::string TCommandProcessor::UniqueTableName(std::string_view name) const {
  std::string_view base = name;
  while (base.size() > 1 && base.back() >= '0' && base.back() <= '9') base.remove_suffix(1);
  if (!FindTable(base)) return std::string(name);
  for (unsigned n = 1;; ++n) {
    std::string candidate = std::string(base) + std::to_string(n);
    if (!FindTable(candidate)) return candidate;
  }
}

int TCommandProcessor::CreateTable(std::string name, bool active) {
  return AddTable(std::make_unique<TCommandTable>(std::move(name), active));
}

int TCommandProcessor::AddTable(std::unique_ptr<TCommandTable> table) {
  if (!table) throw ECmdProcessorError("No command table to add");
  table->SetName(UniqueTableName(table->Name()));
  FTables.push_back(std::move(table));
  return TableCount() - 1;
}

TCommandTable* TCommandProcessor::FindTable(std::string_view name) {
  for (const auto& table : FTables)
    if (SameTableName(table->Name(), name)) return table.get();
  return nullptr;
}

const TCommandTable* TCommandProcessor::FindTable(std::string_view name) const {
  return const_cast<TCommandProcessor*>(this)->FindTable(name);
}

int TCommandProcessor::AddCommand(std::string_view tableName, const KeyBinding& binding) {
  TCommandTable* table = FindTable(tableName);
  if (!table) throw ETableNotFound();
  if (table->IndexOfKeys(binding) >= 0) throw EDuplicateCommand();
  return table->Add(binding);
}

void TCommandProcessor::ClearTables() {
  FTables.clear();
}

int TCommandProcessor::ReadTableFromFile(const std::filesystem::path& fileName) {
  auto table = std::make_unique<TCommandTable>();
  table->LoadFromFile(fileName);
  return AddTable(std::move(table));
}

void TCommandProcessor::WriteTableToFile(std::string_view tableName,
                                         const std::filesystem::path& fileName) const {
  if (const TCommandTable* table = FindTable(tableName)) table->SaveToFile(fileName);
}

TCommandTable& TCommandProcessor::Tables(int index) {
  if (index < 0 || index >= TableCount()) throw ETableNotFound();
  return *FTables[static_cast<std::size_t>(index)];
}

const TCommandTable& TCommandProcessor::Tables(int index) const {
  return const_cast<TCommandProcessor*>(this)->Tables(index);
}

}  // namespace quilmo

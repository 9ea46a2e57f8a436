#include "editor/StoredTables.h"

#include <memory>

#include "editor/BuiltinCommandTables.h"

namespace quilmo {
namespace {

void CheckCommands(const TStoredPairs& pairs, std::string_view tableName) {
  for (const TStoredPair& pair : pairs)
    if (pair.second < 0 || pair.second > 0xFFFF)
      throw ECmdProcessorError("Command " + std::to_string(pair.second) + " of table \"" +
                               std::string(tableName) + "\" is out of range");
}

KeyBinding PairBinding(const TStoredPair& pair) {
  return BindingFromSequence(static_cast<std::uint32_t>(pair.first),
                             static_cast<TEditorCommand>(pair.second));
}

TStoredPair BindingPair(const KeyBinding& binding) {
  return {static_cast<std::int32_t>(KeySequence(binding)), binding.Command};
}

}  // namespace

TStoredPairs StoredPairs(const TCommandTable& table) {
  TStoredPairs pairs;
  const std::span<const KeyBinding> builtin = BuiltinBindings(table.Name());
  if (builtin.empty()) {
    for (const KeyBinding& binding : table.Bindings()) pairs.push_back(BindingPair(binding));
    return pairs;
  }
  for (const KeyBinding& binding : builtin)
    if (table.IndexOfKeys(binding) < 0)
      pairs.emplace_back(static_cast<std::int32_t>(KeySequence(binding)), 0);
  for (const KeyBinding& binding : table.Bindings()) {
    bool unchanged = false;
    for (const KeyBinding& original : builtin)
      if (original == binding) unchanged = true;
    if (!unchanged) pairs.push_back(BindingPair(binding));
  }
  return pairs;
}

void LoadStoredPairs(TCommandTable& table, const TStoredPairs& pairs) {
  CheckCommands(pairs, table.Name());
  TCommandTable result;
  const std::span<const KeyBinding> builtin = BuiltinBindings(table.Name());
  for (const KeyBinding& binding : builtin) result.Add(binding);
  for (const TStoredPair& pair : pairs) {
    const KeyBinding binding = PairBinding(pair);
    const int index = builtin.empty() ? -1 : result.IndexOfKeys(binding);
    if (index < 0)
      result.Add(binding);
    else if (binding.Command != ccNone)
      result.Replace(index, binding);
    else
      result.Delete(index);
  }
  table.Clear();
  for (const KeyBinding& binding : result.Bindings()) table.Add(binding);
}

TStoredTable StoreTable(const TCommandTable& table) {
  return TStoredTable{table.Name(), table.Active(), StoredPairs(table)};
}

void LoadTable(TCommandTable& table, const TStoredTable& stored) {
  CheckCommands(stored.Pairs, stored.Name);
  table.SetName(stored.Name);
  table.SetActive(stored.Active);
  LoadStoredPairs(table, stored.Pairs);
}

TStoredTables StoreTables(const TCommandProcessor& processor) {
  TStoredTables tables;
  for (int i = 0; i < processor.TableCount(); ++i) tables.push_back(StoreTable(processor.Tables(i)));
  return tables;
}

void LoadTables(TCommandProcessor& processor, const TStoredTables& stored) {
  std::vector<std::unique_ptr<TCommandTable>> tables;
  for (const TStoredTable& s : stored) {
    auto table = std::make_unique<TCommandTable>();
    LoadTable(*table, s);
    tables.push_back(std::move(table));
  }
  processor.ClearTables();
  for (auto& table : tables) processor.AddTable(std::move(table));
}

std::optional<std::string> TableListProperty(const TCommandProcessor& processor) {
  if (processor.TableCount() == 0) return std::nullopt;
  return TableListToText(StoreTables(processor));
}

void ReadTableListProperty(TCommandProcessor& processor, std::string_view text) {
  LoadTables(processor, TableListFromText(text));
}

std::optional<std::string> CommandListProperty(const TCommandTable& table) {
  if (table.Count() == 0) return std::nullopt;
  return CommandListToText(StoredPairs(table));
}

void ReadCommandListProperty(TCommandTable& table, std::string_view text) {
  LoadStoredPairs(table, CommandListFromText(text));
}

TStoredTables AppCommandTables() {
  TStoredTable defaults{std::string(kDefaultTableName), true, {}};
  defaults.Pairs.emplace_back(static_cast<std::int32_t>(KeySequence(Bind(vkBack, sfShift, 0))), 0);
  for (int d = 0; d < 10; ++d)
    defaults.Pairs.emplace_back(static_cast<std::int32_t>(KeySequence(Bind(vkDigit(d), sfCtrl, 0))), 0);
  for (int d = 0; d < 10; ++d)
    defaults.Pairs.emplace_back(static_cast<std::int32_t>(KeySequence(Bind(vkDigit(d), sfCtrl | sfShift, 0))),
                                0);
  defaults.Pairs.emplace_back(static_cast<std::int32_t>(KeySequence(Bind(vkLetter('D'), sfCtrl, 0))),
                              ccDelLine);
  return {defaults, TStoredTable{std::string(kWordStarTableName), false, {}},
          TStoredTable{std::string(kGridTableName), false, {}}};
}

void ApplyAppCommandTables(TCommandProcessor& processor) {
  LoadTables(processor, AppCommandTables());
}

}  // namespace quilmo

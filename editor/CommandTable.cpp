#include "editor/CommandTable.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "engine/Cp1252.h"

namespace quilmo {

EDuplicateCommand::EDuplicateCommand()
    : ECmdProcessorError("Duplicate command found while adding a new command to the table") {}

ETableNotFound::ETableNotFound()
    : ECmdProcessorError("Command table not found or command table index out of range") {}

std::string PathText(const std::filesystem::path& fileName) {
  const std::u8string text = fileName.u8string();
  return std::string(text.begin(), text.end());
}

bool SameTableName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Cp1252Upper(static_cast<unsigned char>(a[i])) != Cp1252Upper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

TCommandTable::TCommandTable(std::string name, bool active) : FName(std::move(name)), FActive(active) {}

void TCommandTable::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw ECmdProcessorError("Command index out of range (" + std::to_string(index) + ")");
}

int TCommandTable::Add(const KeyBinding& binding) {
  FBindings.push_back(binding);
  return Count() - 1;
}

void TCommandTable::Insert(int index, const KeyBinding& binding) {
  CheckIndex(index, Count() + 1);
  FBindings.insert(FBindings.begin() + index, binding);
}

void TCommandTable::Replace(int index, const KeyBinding& binding) {
  CheckIndex(index, Count());
  FBindings[static_cast<std::size_t>(index)] = binding;
}

void TCommandTable::Delete(int index) {
  CheckIndex(index, Count());
  FBindings.erase(FBindings.begin() + index);
}

void TCommandTable::Clear() {
  FBindings.clear();
}

KeyBinding TCommandTable::Get(int index) const {
  CheckIndex(index, Count());
  return FBindings[static_cast<std::size_t>(index)];
}

int TCommandTable::IndexOfKeys(const KeyBinding& binding) const {
  const std::uint32_t keys = KeySequence(binding);
  for (std::size_t i = 0; i < FBindings.size(); ++i)
    if (KeySequence(FBindings[i]) == keys) return static_cast<int>(i);
  return -1;
}

namespace {

void AppendField(std::string& out, unsigned value, std::size_t width) {
  const std::string digits = std::to_string(value);
  if (digits.size() < width) out.append(width - digits.size(), ' ');
  out += digits;
}

// One line of five numbers; throws with the line number on any malformation.
KeyBinding ParseBindingLine(std::string_view line, int lineNumber, std::string_view source) {
  auto fail = [&](const std::string& why) -> ECmdFileError {
    return ECmdFileError("Fichier de commandes « " + std::string(source) + " », ligne " +
                         std::to_string(lineNumber) + " : " + why);
  };
  unsigned long values[5] = {};
  int count = 0;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    const std::string_view token = line.substr(i, end - i);
    i = end;
    if (count == 5) throw fail("cinq nombres attendus, davantage trouvés.");
    unsigned long value = 0;
    for (char c : token) {
      if (c < '0' || c > '9') throw fail("« " + std::string(token) + " » n'est pas un nombre valide.");
      if (value <= 65535) value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    const unsigned long limit = count == 4 ? 65535 : 255;
    if (value > limit)
      throw fail("la valeur " + std::string(token) + " dépasse " + std::to_string(limit) + ".");
    values[count++] = value;
  }
  if (count != 5)
    throw fail("cinq nombres attendus, " + std::to_string(count) + " trouvé" + (count > 1 ? "s." : "."));
  return KeyBinding{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
                    static_cast<std::uint8_t>(values[2]), static_cast<std::uint8_t>(values[3]),
                    static_cast<TEditorCommand>(values[4])};
}

std::string SystemReason() {
  const int error = errno;
  if (error == 0) return "erreur d'entrée-sortie";
  return std::generic_category().message(error);
}

}  // namespace

std::string TCommandTable::ToText() const {
  std::string out = FName + "\r\n";
  for (const KeyBinding& b : FBindings) {
    AppendField(out, b.FirstKey, 4);
    AppendField(out, b.FirstShift, 4);
    AppendField(out, b.SecondKey, 4);
    AppendField(out, b.SecondShift, 4);
    AppendField(out, b.Command, 6);
    out += "\r\n";
  }
  return out;
}

void TCommandTable::FromText(std::string_view text, std::string_view source) {
  if (const std::size_t eof = text.find('\x1A'); eof != std::string_view::npos) text = text.substr(0, eof);
  std::string name;
  std::vector<KeyBinding> bindings;
  bool haveName = false;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber;
    if (!haveName) {
      name = line;
      haveName = true;
    } else if (line.find_first_not_of(" \t") != std::string_view::npos) {
      bindings.push_back(ParseBindingLine(line, lineNumber, source));
    }
  }
  if (!haveName)
    throw ECmdFileError("Fichier de commandes « " + std::string(source) +
                        " » : le nom de la table manque (fichier vide).");
  FName = std::move(name);
  FActive = true;
  FBindings = std::move(bindings);
}

void TCommandTable::LoadFromFile(const std::filesystem::path& fileName) {
  errno = 0;
  std::ifstream in(fileName, std::ios::binary);
  if (!in)
    throw ECmdFileError("Impossible de lire le fichier « " + PathText(fileName) + " » : " + SystemReason() +
                        ".");
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad())
    throw ECmdFileError("Impossible de lire le fichier « " + PathText(fileName) + " » : " + SystemReason() +
                        ".");
  FromText(content.str(), PathText(fileName));
}

void TCommandTable::SaveToFile(const std::filesystem::path& fileName) const {
  const std::string text = ToText();
  errno = 0;
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (out) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (out) {
      out.close();
      if (out) return;
    }
  }
  throw ECmdFileError("Impossible d'écrire le fichier « " + PathText(fileName) + " » : " + SystemReason() +
                      ".");
}

}  // namespace quilmo

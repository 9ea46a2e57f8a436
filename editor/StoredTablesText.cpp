// The text form of the stored command tables (see StoredTables.h).

#include <cstdio>

#include "editor/StoredTables.h"

namespace quilmo {
namespace {

void AppendQuoted(std::string& out, std::string_view name) {
  out += '"';
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendPairs(std::string& out, const TStoredPairs& pairs) {
  for (const TStoredPair& pair : pairs) {
    if (!out.empty() && out.back() != '\n') out += ' ';
    out += std::to_string(pair.first) + ':' + std::to_string(pair.second);
  }
}

// Reads one line (or a whole command list) token by token.
class TReader {
 public:
  TReader(std::string_view text, std::string_view what, int line) : FText(text), FWhat(what), FLine(line) {}

  [[noreturn]] void Fail(const std::string& why) const {
    std::string message(FWhat);
    if (FLine > 0) message += ", ligne " + std::to_string(FLine);
    throw ECmdFileError(message + " : " + why);
  }

  void SkipBlanks() {
    while (FPos < FText.size() && IsBlank(FText[FPos])) ++FPos;
  }
  bool AtEnd() {
    SkipBlanks();
    return FPos >= FText.size();
  }

  std::string QuotedName() {
    SkipBlanks();
    if (FPos >= FText.size() || FText[FPos] != '"') Fail("le nom de la table doit être entre guillemets.");
    ++FPos;
    std::string name;
    while (true) {
      if (FPos >= FText.size()) Fail("guillemet fermant manquant.");
      const char c = FText[FPos++];
      if (c == '"') break;
      if (c != '\\') {
        name += c;
        continue;
      }
      if (FPos >= FText.size()) Fail("échappement incomplet.");
      const char e = FText[FPos++];
      if (e == '"' || e == '\\') {
        name += e;
      } else if (e == 'x' && FPos + 2 <= FText.size() && IsHex(FText[FPos]) && IsHex(FText[FPos + 1])) {
        name += static_cast<char>(HexValue(FText[FPos]) * 16 + HexValue(FText[FPos + 1]));
        FPos += 2;
      } else {
        Fail("échappement invalide dans le nom de la table.");
      }
    }
    if (FPos < FText.size() && !IsBlank(FText[FPos])) Fail("un blanc est attendu après le nom.");
    return name;
  }

  std::string_view Token() {
    SkipBlanks();
    const std::size_t start = FPos;
    while (FPos < FText.size() && !IsBlank(FText[FPos])) ++FPos;
    return FText.substr(start, FPos - start);
  }

  bool Flag() {
    const std::string_view token = Token();
    if (token == "0") return false;
    if (token == "1") return true;
    if (token.empty()) Fail("l'indicateur d'activité (0 ou 1) manque.");
    Fail("l'indicateur d'activité doit valoir 0 ou 1 (trouvé « " + std::string(token) + " »).");
  }

  TStoredPair Pair() {
    const std::string_view token = Token();
    const std::size_t colon = token.find(':');
    long long keys = 0;
    long long command = 0;
    if (colon == std::string_view::npos || !Number(token.substr(0, colon), true, keys) ||
        !Number(token.substr(colon + 1), false, command))
      Fail("« " + std::string(token) + " » n'est pas une paire séquence:commande valide.");
    if (keys < INT32_MIN || keys > INT32_MAX)
      Fail("la séquence de touches " + std::string(token.substr(0, colon)) + " est hors limites.");
    if (command > 0xFFFF) Fail("la commande " + std::string(token.substr(colon + 1)) + " dépasse 65535.");
    return {static_cast<std::int32_t>(keys), static_cast<std::int32_t>(command)};
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
  }
  // Decimal, at most 10 digits, a leading '-' only when allowed.
  static bool Number(std::string_view text, bool allowMinus, long long& value) {
    bool negative = false;
    if (allowMinus && !text.empty() && text[0] == '-') {
      negative = true;
      text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return false;
    value = 0;
    for (char c : text) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    return true;
  }

  std::string_view FText;
  std::string_view FWhat;
  int FLine;
  std::size_t FPos = 0;
};

constexpr std::string_view kTableListSource = "Tables de commandes enregistrées";
constexpr std::string_view kCommandListSource = "Liste de commandes enregistrée";

}  // namespace

std::string TableListToText(const TStoredTables& tables) {
  std::string out;
  for (const TStoredTable& table : tables) {
    AppendQuoted(out, table.Name);
    out += table.Active ? " 1" : " 0";
    AppendPairs(out, table.Pairs);
    out += '\n';
  }
  return out;
}

TStoredTables TableListFromText(std::string_view text) {
  TStoredTables tables;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    TReader reader(line, kTableListSource, ++lineNumber);
    if (reader.AtEnd()) continue;
    TStoredTable table;
    table.Name = reader.QuotedName();
    table.Active = reader.Flag();
    while (!reader.AtEnd()) table.Pairs.push_back(reader.Pair());
    tables.push_back(std::move(table));
  }
  return tables;
}

std::string CommandListToText(const TStoredPairs& pairs) {
  std::string out;
  AppendPairs(out, pairs);
  return out;
}

TStoredPairs CommandListFromText(std::string_view text) {
  TStoredPairs pairs;
  TReader reader(text, kCommandListSource, 0);
  while (!reader.AtEnd()) pairs.push_back(reader.Pair());
  return pairs;
}

}  // namespace quilmo

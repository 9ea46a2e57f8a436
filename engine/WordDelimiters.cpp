#include "engine/WordDelimiters.h"

#include <array>

namespace quilmo {

namespace {

constexpr char kDelimiters[] = "\t'\r\n ,./?;:`\"<>[]{}-=\\+|()%@&^$#!~*";

constexpr std::array<bool, 256> MakeDelimiterTable() {
  std::array<bool, 256> table{};
  for (const char* p = kDelimiters; *p != '\0'; ++p) table[static_cast<unsigned char>(*p)] = true;
  return table;
}

constexpr std::array<bool, 256> kIsDelimiter = MakeDelimiterTable();

static_assert(sizeof(kDelimiters) - 1 == 35);

}  // namespace

const std::string_view WordDelimiters(kDelimiters, sizeof(kDelimiters) - 1);

bool IsWordDelimiter(unsigned char c) {
  return kIsDelimiter[c];
}

}  // namespace quilmo

#include "engine/WordDelimiters.h"

#include <array>

#include "engine/ParaNode.h"

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

std::int32_t WordStartBefore(const char* text, std::int32_t count) {
  std::int32_t k = count;
  while (k > 0 && IsWordDelimiter(text[k - 1])) --k;
  while (k > 0 && !IsWordDelimiter(text[k - 1])) --k;
  return k + 1;
}

std::int32_t PastWordAndBlanks(const char* text, std::int32_t length, std::int32_t pos) {
  std::int32_t i = pos;
  while (i <= length && !IsWordDelimiter(text[i - 1])) ++i;
  while (i <= length && IsBlank(text[i - 1])) ++i;
  return i;
}

}  // namespace quilmo

#pragma once
// The characters that end a word, shared by word motion, word selection, word deletion and
// whole-word search. Every other character (letters, digits, the underscore, codes above 127
// and the remaining control codes) is a word character.

#include <cstdint>
#include <string_view>

namespace quilmo {

// TAB, apostrophe, CR, LF, blank, , . / ? ; : ` " < > [ ] { } - = \ + | ( ) % @ & ^ $ # ! ~ *
extern const std::string_view WordDelimiters;

bool IsWordDelimiter(unsigned char c);
inline bool IsWordDelimiter(char c) {
  return IsWordDelimiter(static_cast<unsigned char>(c));
}

// Where the word before the first `count` characters of `text` starts (1-based): back over
// the delimiters, then over the word's characters.
std::int32_t WordStartBefore(const char* text, std::int32_t count);
// From position `pos` (1-based) of a run of `length` characters: past the rest of the word,
// then past the blanks after it (the position behind them).
std::int32_t PastWordAndBlanks(const char* text, std::int32_t length, std::int32_t pos);

}  // namespace quilmo

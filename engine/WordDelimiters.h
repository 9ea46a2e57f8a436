#pragma once
// The characters that end a word, shared by word motion, word selection, word deletion and
// whole-word search. Every other character (letters, digits, the underscore, codes above 127
// and the remaining control codes) is a word character.

#include <string_view>

namespace quilmo {

// TAB, apostrophe, CR, LF, blank, , . / ? ; : ` " < > [ ] { } - = \ + | ( ) % @ & ^ $ # ! ~ *
extern const std::string_view WordDelimiters;

bool IsWordDelimiter(unsigned char c);
inline bool IsWordDelimiter(char c) {
  return IsWordDelimiter(static_cast<unsigned char>(c));
}

}  // namespace quilmo

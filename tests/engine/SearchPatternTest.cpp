#include "engine/SearchPattern.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "engine/WordDelimiters.h"

namespace quilmo {
namespace {

std::int32_t Find(const TSearchPattern& p, const std::string& text) {
  return p.Find(text.data(), static_cast<std::int32_t>(text.size()));
}

std::int32_t FindLast(const TSearchPattern& p, const std::string& text, std::size_t length) {
  return p.FindLast(text.data(), static_cast<std::int32_t>(length));
}

TEST(SearchPattern, SkipTableGivesLaterOccurrencesPrecedence) {
  const TSearchPattern p("abcab", true);
  const auto& skip = p.SkipTable();
  EXPECT_EQ(skip['a'], 1);  // index 3 overwrites index 0
  EXPECT_EQ(skip['b'], 3);  // the last character itself does not count
  EXPECT_EQ(skip['c'], 2);
  EXPECT_EQ(skip['x'], 5);
  EXPECT_EQ(skip[0xFF], 5);
}

TEST(SearchPattern, CaseInsensitiveTableIsBuiltFromTheUpperCasedPattern) {
  const TSearchPattern p("\xE9t\xE9", false);  // été
  EXPECT_EQ(p.Text(), "\xC9T\xC9");            // ÉTÉ
  EXPECT_EQ(p.SkipTable()[0xC9], 2);
  EXPECT_EQ(p.SkipTable()[0xE9], 3);  // lower-case text characters are upper-cased before lookup
  EXPECT_EQ(p.SkipTable()['T'], 1);
}

TEST(SearchPattern, LongPatternIsCutTo255Characters) {
  std::string pattern(254, 'x');
  pattern += "yz";  // 'z' is character 256 and is dropped
  const TSearchPattern p(pattern, true);
  EXPECT_EQ(p.Length(), 255);
  EXPECT_EQ(p.SkipTable()['q'], 255);
  EXPECT_EQ(Find(p, "ab" + pattern.substr(0, 255) + "q"), 2);
  EXPECT_EQ(Find(p, std::string(254, 'x') + "q"), -1);
}

TEST(SearchPattern, SingleCharacterScans) {
  const TSearchPattern exact("\x9C", true);  // œ
  EXPECT_EQ(Find(exact, std::string("ab\x8C\x9Cz\x9C", 6)), 3);
  EXPECT_EQ(Find(exact, "abc"), -1);
  const TSearchPattern folded("\x9C", false);
  EXPECT_EQ(Find(folded, std::string("ab\x8C\x9Cz", 5)), 2);
  const TSearchPattern last("a", true, true);
  EXPECT_EQ(FindLast(last, "abca", 4), 3);
  EXPECT_EQ(FindLast(last, "abca", 3), 0);
  EXPECT_EQ(FindLast(last, "bc", 2), -1);
}

TEST(SearchPattern, CaseInsensitiveMatchesAccentedLettersBothWays) {
  // é/É, œ/Œ, ÿ/Ÿ, š/Š, à/À
  const std::string lower = "\xE9\x9C\xFF\x9A\xE0";
  const std::string upper = "\xC9\x8C\x9F\x8A\xC0";
  EXPECT_EQ(Find(TSearchPattern(lower, false), "--" + upper), 2);
  EXPECT_EQ(Find(TSearchPattern(upper, false), "--" + lower), 2);
  EXPECT_EQ(Find(TSearchPattern(lower, true), "--" + upper), -1);
  EXPECT_EQ(FindLast(TSearchPattern(lower, false, true), upper + "-", 6), 0);
  // ß has no upper case in the code page; ÷ and × are not a case pair.
  EXPECT_EQ(Find(TSearchPattern("\xDF", false), "SS"), -1);
  EXPECT_EQ(Find(TSearchPattern("\xF7", false), "\xD7"), -1);
}

// Naive references.
std::int32_t NaiveFind(const std::string& pat, const std::string& text, bool matchCase) {
  const auto& up = SearchUpperTable();
  auto eq = [&](char a, char b) {
    return matchCase ? a == b : up[static_cast<unsigned char>(a)] == up[static_cast<unsigned char>(b)];
  };
  for (std::size_t s = 0; s + pat.size() <= text.size(); ++s) {
    std::size_t k = 0;
    while (k < pat.size() && eq(text[s + k], pat[k])) ++k;
    if (k == pat.size()) return static_cast<std::int32_t>(s);
  }
  return -1;
}

std::int32_t NaiveFindLast(const std::string& pat, const std::string& text, std::size_t length,
                           bool matchCase) {
  std::int32_t last = -1;
  const std::string prefix = text.substr(0, length);
  for (std::size_t from = 0;;) {
    const std::int32_t hit = NaiveFind(pat, prefix.substr(from), matchCase);
    if (hit < 0) return last;
    last = static_cast<std::int32_t>(from) + hit;
    from = static_cast<std::size_t>(last) + 1;
  }
}

TEST(SearchPattern, RandomScansAgreeWithNaiveSearch) {
  const std::uint32_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  // A small alphabet with case pairs, so that matches and near-matches are frequent.
  const std::string full("aAbB\xE9\xC9\x9C\x8C\xFF\x9F, \x00\xF7\xD7", 15);
  auto pick = [&](std::size_t alphabetSize) { return full[rng() % alphabetSize]; };
  for (int round = 0; round < 4000; ++round) {
    const std::size_t alphabetSize = 2 + rng() % (full.size() - 1);
    const std::size_t textLength = rng() % 200;
    const std::size_t patternLength = 1 + rng() % (round % 10 == 0 ? 40 : 6);
    std::string text, pattern;
    for (std::size_t i = 0; i < textLength; ++i) text += pick(alphabetSize);
    if (textLength > patternLength && rng() % 2 == 0) {
      pattern = text.substr(rng() % (textLength - patternLength), patternLength);
    } else {
      for (std::size_t i = 0; i < patternLength; ++i) pattern += pick(alphabetSize);
    }
    for (bool matchCase : {true, false}) {
      const TSearchPattern forward(pattern, matchCase);
      ASSERT_EQ(Find(forward, text), NaiveFind(pattern, text, matchCase))
          << "round " << round << " matchCase " << matchCase;
      const TSearchPattern backward(pattern, matchCase, true);
      const std::size_t length = textLength == 0 ? 0 : rng() % (textLength + 1);
      ASSERT_EQ(FindLast(backward, text, length), NaiveFindLast(pattern, text, length, matchCase))
          << "round " << round << " matchCase " << matchCase << " length " << length;
    }
  }
}

TEST(WordDelimiters, TheThirtyFiveCharactersInTheirOrder) {
  const int codes[] = {9,   39, 13, 10, 32, 44,  46, 47, 63, 59, 58, 96, 34, 60, 62, 91,  93, 123,
                       125, 45, 61, 92, 43, 124, 40, 41, 37, 64, 38, 94, 36, 35, 33, 126, 42};
  ASSERT_EQ(WordDelimiters.size(), std::size(codes));
  for (std::size_t i = 0; i < std::size(codes); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(WordDelimiters[i]), codes[i]) << i;
  }
  int count = 0;
  for (int c = 0; c < 256; ++c) count += IsWordDelimiter(static_cast<unsigned char>(c)) ? 1 : 0;
  EXPECT_EQ(count, 35);
  for (char c : {'_', 'a', 'Z', '0', '\0', '\x1B', '\xE9', '\xA0'})
    EXPECT_FALSE(IsWordDelimiter(c)) << int(c);
}

TEST(WordDelimiters, WordStartAndEndOverDelimitersAndBlanks) {
  const char* text = "ab, cd\tef";         // positions 1..9
  EXPECT_EQ(WordStartBefore(text, 6), 5);  // inside "cd": its start
  EXPECT_EQ(WordStartBefore(text, 4), 1);  // behind ", ": back over them, then over "ab"
  EXPECT_EQ(WordStartBefore(text, 0), 1);
  EXPECT_EQ(WordStartBefore(",,", 2), 1);         // only delimiters
  EXPECT_EQ(PastWordAndBlanks(text, 9, 1), 3);    // "ab" ends at a comma: no blanks taken
  EXPECT_EQ(PastWordAndBlanks(text, 9, 5), 8);    // "cd" and its TAB
  EXPECT_EQ(PastWordAndBlanks(text, 9, 4), 5);    // on a blank: the blank run only
  EXPECT_EQ(PastWordAndBlanks(text, 9, 8), 10);   // the last word: to behind the end
  EXPECT_EQ(PastWordAndBlanks(text, 9, 12), 12);  // beyond the end: stays
}

}  // namespace
}  // namespace quilmo

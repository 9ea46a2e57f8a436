// The recent-files list: adding and forgetting names, menu captions, settings values.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/History.h"

namespace quilmo {
namespace {

using TEntries = std::vector<std::string>;

// Loads the entries (the rest missing), runs `act`, returns the ten entries.
TEntries After(const TEntries& before, const std::function<void(THistory&)>& act) {
  THistory history;
  history.Load([&before](const std::string& section, const std::string& name) {
    const auto i = static_cast<size_t>(std::stoi(name));
    return section == "Historique" && i < before.size() ? before[i] : std::string();
  });
  act(history);
  return TEntries(history.Entries().begin(), history.Entries().end());
}

TEntries Padded(TEntries entries) {
  entries.resize(kHistorySize);
  return entries;
}

TEST(HistoryTest, AddKeepsTenEntriesAndTheNameOnce) {
  const TEntries full = {"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"};
  struct TCase {
    TEntries Before;
    TEntries Added;
    TEntries Expected;
  } const cases[] = {
      {{"/b", "/c"}, {"/a", "/a", "/a", "/a"}, {"/a", "/b", "/c"}},
      // Names that differ in letter case, or in bytes that are no UTF-8, are other files.
      {{"/x/Notes.TXT", "/y", "/\xc3\xa9"},
       {"/X/notes.txt", "/\xc3\x89"},
       {"/\xc3\x89", "/X/notes.txt", "/x/Notes.TXT", "/y", "/\xc3\xa9"}},
      {{"/d/a.txt"}, {"/d/A.txt", "/d/a.txt"}, {"/d/a.txt", "/d/A.txt"}},
      {{"/i\xff"}, {"/i\xef\xbf\xbd", "/i\xfe"}, {"/i\xfe", "/i\xef\xbf\xbd", "/i\xff"}},
      {full, {"/new"}, {"/new", "/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
      {{"/a", "", "/b", "", "/c"}, {"/d"}, {"/d", "/a", "", "/b", "", "/c"}},
      {{"/a", "", "/b", "", "/c"}, {""}, {"", "/a", "/b", "/c"}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(After(c.Before,
                    [&c](THistory& h) {
                      for (const auto& name : c.Added) h.Add(name);
                    }),
              Padded(c.Expected))
        << c.Added.front();
}

TEST(HistoryTest, ForgetMissingKeepsTenSlots) {
  struct TCase {
    TEntries Before;
    std::string Missing;
    std::optional<std::string> Current;  // nullopt: untitled
    TEntries Expected;
  } const cases[] = {
      {{"/a", "/b", "/c"}, "/b", std::nullopt, {"/a", "/c"}},
      {{"/a", "/b", "/c", "/d"}, "/c", "/d", {"/d", "/a", "/b"}},
      {{"/A", "/b", "/a"}, "/a", std::nullopt, {"/A", "/b"}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(After(c.Before, [&c](THistory& h) { h.ForgetMissing(c.Missing, c.Current); }),
              Padded(c.Expected))
        << c.Missing;
}

TEST(HistoryTest, MenuCaptionsAndStoredValues) {
  THistory history;
  history.Load([](const std::string&, const std::string& name) { return name == "2" ? "/b & c" : ""; });
  history.Add("/a");
  EXPECT_EQ(history.Caption(0), "&0  /a");
  EXPECT_EQ(history.Caption(3), "&3  /b && c");
  EXPECT_EQ(history.Caption(1), "&1  ");
  EXPECT_TRUE(history.Visible(3));
  EXPECT_FALSE(history.Visible(1));
  std::map<std::string, std::string> written;
  history.Save([&written](const std::string& section, const std::string& name, const std::string& value) {
    written[section + "/" + name] = value;
  });
  EXPECT_EQ(written.size(), 10U);
  EXPECT_EQ(written["Historique/0"], "/a");
  EXPECT_EQ(written["Historique/3"], "/b & c");
  EXPECT_EQ(written["Historique/9"], "");
}

}  // namespace
}  // namespace quilmo

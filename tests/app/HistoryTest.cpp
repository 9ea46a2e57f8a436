// The recent-files list: its rules for adding and forgetting names, its menu captions and its
// settings values.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/History.h"

namespace quilmo {
namespace {

using TEntries = std::vector<std::string>;

THistory HistoryOf(const TEntries& entries) {
  std::map<std::string, std::string> values;
  for (size_t i = 0; i < entries.size(); ++i) values[std::to_string(i)] = entries[i];
  THistory history;
  history.Load([&values](const std::string&, const std::string& name) { return values[name]; });
  return history;
}

TEntries EntriesOf(const THistory& history) {
  return TEntries(history.Entries().begin(), history.Entries().end());
}

struct TAddCase {
  const char* Name;
  TEntries Before;
  std::vector<std::string> Added;
  TEntries After;
};

class HistoryAddTest : public ::testing::TestWithParam<TAddCase> {};

TEST_P(HistoryAddTest, KeepsTenEntriesAndTheNameOnce) {
  THistory history = HistoryOf(GetParam().Before);
  for (const std::string& name : GetParam().Added) history.Add(name);
  EXPECT_EQ(EntriesOf(history), GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryAddTest,
    ::testing::Values(TAddCase{"IntoEmptyList", {}, {"/a"}, {"/a", "", "", "", "", "", "", "", "", ""}},
                      TAddCase{"SameNameFourTimes",
                               {"/b", "/c", "/d"},
                               {"/a", "/a", "/a", "/a"},
                               {"/a", "/b", "/c", "/d", "", "", "", "", "", ""}},
                      TAddCase{"ExistingMovesUpOthersKeepOrder",
                               {"/a", "/b", "/c", "/d"},
                               {"/c"},
                               {"/c", "/a", "/b", "/d", "", "", "", "", "", ""}},
                      TAddCase{"CaseOnlyDifferenceReplaces",
                               {"/x/Notes.TXT", "/y"},
                               {"/X/notes.txt"},
                               {"/X/notes.txt", "/y", "", "", "", "", "", "", "", ""}},
                      TAddCase{
                          "AccentsCompareExactly",
                          {"/x/\xc3\xa9t\xc3\xa9"},
                          {"/x/\xc3\x89T\xc3\x89"},
                          {"/x/\xc3\x89T\xc3\x89", "/x/\xc3\xa9t\xc3\xa9", "", "", "", "", "", "", "", ""}},
                      TAddCase{"FullListDropsTheOldest",
                               {"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
                               {"/new"},
                               {"/new", "/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}},
                      TAddCase{"EmptySlotsInTheMiddleStay",
                               {"/a", "", "/b", "", "/c"},
                               {"/d"},
                               {"/d", "/a", "", "/b", "", "/c", "", "", "", ""}},
                      TAddCase{"EmptyNameRemovesEmptySlots",
                               {"/a", "", "/b", "", "/c"},
                               {""},
                               {"", "/a", "/b", "/c", "", "", "", "", "", ""}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TForgetCase {
  const char* Name;
  TEntries Before;
  std::string Missing;
  std::optional<std::string> Current;
  TEntries After;
};

class HistoryForgetTest : public ::testing::TestWithParam<TForgetCase> {};

TEST_P(HistoryForgetTest, RemovesTheMissingFileAndKeepsTenSlots) {
  THistory history = HistoryOf(GetParam().Before);
  history.ForgetMissing(GetParam().Missing, GetParam().Current);
  EXPECT_EQ(EntriesOf(history), GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(Cases, HistoryForgetTest,
                         ::testing::Values(TForgetCase{"UntitledKeepsOrder",
                                                       {"/a", "/b", "/c"},
                                                       "/b",
                                                       std::nullopt,
                                                       {"/a", "/c", "", "", "", "", "", "", "", ""}},
                                           TForgetCase{"UntitledMissingFirst",
                                                       {"/a", "/b", "/c"},
                                                       "/a",
                                                       std::nullopt,
                                                       {"/b", "/c", "", "", "", "", "", "", "", ""}},
                                           TForgetCase{"CurrentDocumentGoesOnTop",
                                                       {"/a", "/b", "/c", "/d"},
                                                       "/c",
                                                       "/d",
                                                       {"/d", "/a", "/b", "", "", "", "", "", "", ""}},
                                           TForgetCase{"OnlyFirstOccurrenceWithoutCase",
                                                       {"/A", "/b", "/a"},
                                                       "/a",
                                                       std::nullopt,
                                                       {"/b", "/a", "", "", "", "", "", "", "", ""}},
                                           TForgetCase{
                                               "FullListGetsAnEmptyLastSlot",
                                               {"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
                                               "/4",
                                               std::nullopt,
                                               {"/0", "/1", "/2", "/3", "/5", "/6", "/7", "/8", "/9", ""}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(HistoryMenuTest, CaptionsCarryTheDigitAndHideEmptySlots) {
  const THistory history = HistoryOf({"/a.txt", "", "/b & c.txt"});
  struct TItem {
    int Index;
    std::string Caption;
    bool Visible;
  };
  for (const TItem& item : {TItem{0, "&0  /a.txt", true}, TItem{1, "&1  ", false},
                            TItem{2, "&2  /b && c.txt", true}, TItem{9, "&9  ", false}}) {
    EXPECT_EQ(history.Caption(item.Index), item.Caption) << item.Index;
    EXPECT_EQ(history.Visible(item.Index), item.Visible) << item.Index;
  }
}

TEST(HistoryStoreTest, WritesTheTenValuesOfItsSectionAsRead) {
  std::map<std::pair<std::string, std::string>, std::string> store;
  store[{"Historique", "0"}] = "/a";
  store[{"Historique", "3"}] = "/d";  // values 1, 2 and 4 to 9 missing
  store[{"Autre", "1"}] = "/not-mine";
  THistory history;
  history.Load([&store](const std::string& section, const std::string& name) {
    const auto found = store.find({section, name});
    return found == store.end() ? std::string() : found->second;
  });
  EXPECT_EQ(EntriesOf(history), (TEntries{"/a", "", "", "/d", "", "", "", "", "", ""}));

  std::vector<std::pair<std::string, std::string>> written;
  history.Add("/e");
  history.Save([&written](const std::string& section, const std::string& name, const std::string& value) {
    EXPECT_EQ(section, "Historique");
    written.emplace_back(name, value);
  });
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"0", "/e"}, {"1", "/a"}, {"2", ""}, {"3", ""}, {"4", "/d"},
      {"5", ""},   {"6", ""},   {"7", ""}, {"8", ""}, {"9", ""}};
  EXPECT_EQ(written, expected);
}

}  // namespace
}  // namespace quilmo

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/BuiltinCommandTables.h"
#include "editor/StoredTables.h"

namespace quilmo {
namespace {

constexpr std::uint8_t C = sfCtrl;
constexpr std::uint8_t CS = sfCtrl | sfShift;

std::int32_t Seq(const KeyBinding& b) {
  return static_cast<std::int32_t>(KeySequence(b));
}

std::vector<KeyBinding> Builtin(std::span<const KeyBinding> list) {
  return {list.begin(), list.end()};
}

TEST(StoredTablesTest, BuiltinTableWithoutPairsIsTheBuiltinList) {
  TCommandProcessor p;
  const TStoredTables stored = StoreTables(p);
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0], (TStoredTable{"Default", true, {}}));
  EXPECT_EQ(stored[1], (TStoredTable{"WordStar", false, {}}));
  EXPECT_EQ(stored[2], (TStoredTable{"Grid", false, {}}));

  // Built-in names are recognised without regard to case.
  LoadTables(p, {{"default", true, {}}, {"GRID", false, {}}});
  ASSERT_EQ(p.TableCount(), 2);
  EXPECT_EQ(p.Tables(0).Name(), "default");
  EXPECT_EQ(p.Tables(0).Bindings(), Builtin(DefaultBindings()));
  EXPECT_EQ(p.Tables(1).Bindings(), Builtin(GridBindings()));
  EXPECT_TRUE(StoredPairs(p.Tables(0)).empty());
}

TEST(StoredTablesTest, BuiltinTableStoresItsDifferences) {
  TCommandTable t("Default");
  LoadStoredPairs(t, {});
  t.Delete(t.IndexOfKeys(Bind('Z', C, 0)));                              // Ctrl+Z removed
  t.Replace(t.IndexOfKeys(Bind(vkBack, 0, 0)), Bind(vkBack, 0, ccDel));  // Backspace changed
  t.Insert(0, Bind('D', C, ccDelLine));                                  // Ctrl+D added first
  t.Add(Bind('Q', C, 0));                                                // an empty binding added

  const TStoredPairs pairs = StoredPairs(t);
  const TStoredPairs expected = {{Seq(Bind('Z', C, 0)), 0},
                                 {1092, ccDelLine},
                                 {Seq(Bind(vkBack, 0, 0)), ccDel},
                                 {Seq(Bind('Q', C, 0)), 0}};
  EXPECT_EQ(pairs, expected);

  // Reading them back: the replacement keeps its place, the additions are appended.
  TCommandTable back("DEFAULT");
  LoadStoredPairs(back, pairs);
  ASSERT_EQ(back.Count(), 65);
  EXPECT_EQ(back.IndexOfKeys(Bind('Z', C, 0)), -1);
  EXPECT_EQ(back.Get(7), Bind(vkBack, 0, ccDel));
  EXPECT_EQ(back.Get(63), Bind('D', C, ccDelLine));
  EXPECT_EQ(back.Get(64), Bind('Q', C, 0));
  // Written again, the additions follow the table's order, which has become built-in order.
  const TStoredPairs again = {{Seq(Bind('Z', C, 0)), 0},
                              {Seq(Bind(vkBack, 0, 0)), ccDel},
                              {1092, ccDelLine},
                              {Seq(Bind('Q', C, 0)), 0}};
  EXPECT_EQ(StoredPairs(back), again);
}

TEST(StoredTablesTest, StoredPairWithCommandZeroForANewKeyActsAsNoBinding) {
  TCommandProcessor p;
  LoadTables(p,
             {{"Default", true, {{Seq(Bind('Q', C, 0)), 0}}}, {"Mine", true, {{Seq(Bind('Q', C, 0)), 700}}}});
  ASSERT_EQ(p.Tables(0).Count(), 65);
  EXPECT_EQ(p.Tables(0).Get(64), Bind('Q', C, 0));
  // Default's empty binding does not decide: the next table gives its command.
  EXPECT_EQ(p.TranslateKey('Q', C), 700);
  p.Tables(1).SetActive(false);
  EXPECT_EQ(p.TranslateKey('Q', C), ccNoMatch);
}

TEST(StoredTablesTest, OtherTablesStoreEveryPairInOrder) {
  TCommandTable t("Mine", false);
  t.Add(Bind2('Q', C, 'S', sfNoneOrCtrl, ccHome));
  t.Add(Bind(vkLeft, 0, ccLeft));
  t.Add(Bind(vkLeft, 0, ccRight));  // a duplicate: kept, the first wins the lookup
  const TStoredTable stored = StoreTable(t);
  EXPECT_EQ(stored.Name, "Mine");
  EXPECT_FALSE(stored.Active);
  ASSERT_EQ(stored.Pairs.size(), 3u);
  EXPECT_LT(stored.Pairs[0].first, 0);  // the 128 wildcard is the sign bit

  TCommandProcessor p;
  LoadTables(p, {stored, stored});
  ASSERT_EQ(p.TableCount(), 2);
  EXPECT_EQ(p.Tables(1).Name(), "Mine1");
  EXPECT_EQ(p.Tables(0).Bindings(), t.Bindings());
  p.Tables(0).SetActive(true);
  EXPECT_EQ(p.TranslateKey(vkLeft, 0), ccLeft);
  EXPECT_EQ(p.TranslateKey('Q', C), ccSequencePending);
  EXPECT_EQ(p.TranslateKey('S', C), ccHome);
}

TEST(StoredTablesTest, LoadingKeepsTheTranslationState) {
  TCommandProcessor p;
  p.Tables(1).SetActive(true);
  EXPECT_EQ(p.TranslateKey('Q', C), ccSequencePending);
  LoadTables(p, {{"WordStar", true, {}}});
  EXPECT_EQ(p.State(), TTranslateState::AwaitingSecondKey);
  EXPECT_EQ(p.TranslateKey('D', 0), ccEnd);
}

TEST(StoredTablesTest, OutOfRangeCommandChangesNothing) {
  TCommandProcessor p;
  EXPECT_THROW(LoadTables(p, {{"Other", true, {}}, {"Mine", true, {{65, 70000}}}}), ECmdProcessorError);
  EXPECT_EQ(p.TableCount(), 3);
  EXPECT_EQ(p.Tables(0).Count(), 64);
  TCommandTable t("Default");
  EXPECT_THROW(LoadStoredPairs(t, {{65, -1}}), ECmdProcessorError);
  EXPECT_EQ(t.Count(), 0);
}

TEST(StoredTablesTest, ApplicationConfiguration) {
  const TStoredTables app = AppCommandTables();
  ASSERT_EQ(app.size(), 3u);
  TStoredPairs expected = {{520, 0}};
  for (int k = 1072; k <= 1081; ++k) expected.emplace_back(k, 0);
  for (int k = 1584; k <= 1593; ++k) expected.emplace_back(k, 0);
  expected.emplace_back(1092, 13);
  EXPECT_EQ(app[0], (TStoredTable{"Default", true, expected}));
  EXPECT_EQ(app[1], (TStoredTable{"WordStar", false, {}}));
  EXPECT_EQ(app[2], (TStoredTable{"Grid", false, {}}));

  TCommandProcessor p;
  ApplyAppCommandTables(p);
  ASSERT_EQ(p.TableCount(), 3);
  std::vector<KeyBinding> effective(DefaultBindings().begin(), DefaultBindings().begin() + 44);
  effective.erase(effective.begin() + 8);  // Shift+Backspace
  effective.push_back(Bind('D', C, ccDelLine));
  EXPECT_EQ(p.Tables(0).Count(), 44);
  EXPECT_EQ(p.Tables(0).Bindings(), effective);
  EXPECT_EQ(p.Tables(1).Count(), 40);
  EXPECT_EQ(p.Tables(2).Count(), 38);

  EXPECT_EQ(p.TranslateKey('D', C), ccDelLine);
  EXPECT_EQ(p.TranslateKey(vkDigit(5), C), ccNoMatch);
  EXPECT_EQ(p.TranslateKey(vkDigit(5), CS), ccNoMatch);
  EXPECT_EQ(p.TranslateKey(vkBack, sfShift), ccNoMatch);
  EXPECT_EQ(p.TranslateKey(vkBack, 0), ccBack);

  EXPECT_EQ(StoreTables(p), app);
}

TEST(StoredTablesTest, TextFormOfTheApplicationConfiguration) {
  std::string line = "\"Default\" 1 520:0";
  for (int k = 1072; k <= 1081; ++k) line += " " + std::to_string(k) + ":0";
  for (int k = 1584; k <= 1593; ++k) line += " " + std::to_string(k) + ":0";
  line += " 1092:13\n\"WordStar\" 0\n\"Grid\" 0\n";
  EXPECT_EQ(TableListToText(AppCommandTables()), line);
  EXPECT_EQ(TableListFromText(line), AppCommandTables());

  TCommandProcessor p;
  EXPECT_EQ(TableListProperty(p), "\"Default\" 1\n\"WordStar\" 0\n\"Grid\" 0\n");
  ReadTableListProperty(p, line);
  EXPECT_EQ(p.TranslateKey('D', C), ccDelLine);
  EXPECT_EQ(TableListProperty(p), line);
  p.ClearTables();
  EXPECT_EQ(TableListProperty(p), std::nullopt);
}

TEST(StoredTablesTest, TextFormRoundTripsAnyNameAndSequence) {
  const TStoredTables tables = {
      {"Quote \" and \\ back\\slash", true, {{-2141058991, 42}, {0, 0}, {2147483647, 65535}}},
      {std::string("Accent \xE9 tab\t new\nline \x01\0end", 28), false, {}},
      {"", true, {{-2147483647 - 1, 1}}},
  };
  const std::string text = TableListToText(tables);
  for (char c : text) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);
  EXPECT_EQ(TableListFromText(text), tables);

  // CR LF line ends, blank lines and extra blanks are accepted.
  EXPECT_EQ(TableListFromText("\r\n  \"A\"   1  65:300 \r\n\r\n\t\"B\" 0\r\n"),
            (TStoredTables{{"A", true, {{65, 300}}}, {"B", false, {}}}));
  EXPECT_TRUE(TableListFromText("").empty());
}

TEST(StoredTablesTest, MalformedTextIsReportedWithItsLine) {
  const struct {
    const char* Text;
    const char* Expected;
  } cases[] = {
      {"\"A\" 1\nB 1\n", "ligne 2 : le nom de la table doit être entre guillemets."},
      {"\"A 1\n", "ligne 1 : guillemet fermant manquant."},
      {"\"A\\q\" 1\n", "ligne 1 : échappement invalide"},
      {"\"A\"1\n", "ligne 1 : un blanc est attendu après le nom."},
      {"\"A\" yes\n", "ligne 1 : l'indicateur d'activité doit valoir 0 ou 1 (trouvé « yes »)."},
      {"\"A\"\n", "ligne 1 : l'indicateur d'activité (0 ou 1) manque."},
      {"\n\n\"A\" 1 65\n", "ligne 3 : « 65 » n'est pas une paire séquence:commande valide."},
      {"\"A\" 1 65:-3\n", "n'est pas une paire"},
      {"\"A\" 1 65:x\n", "n'est pas une paire"},
      {"\"A\" 1 65:70000\n", "ligne 1 : la commande 70000 dépasse 65535."},
      {"\"A\" 1 4294967295:1\n", "ligne 1 : la séquence de touches 4294967295 est hors limites."},
  };
  for (const auto& c : cases) {
    try {
      TableListFromText(c.Text);
      ADD_FAILURE() << "no error for: " << c.Text;
    } catch (const ECmdFileError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("Tables de commandes enregistrées", 0), 0u) << message;
      EXPECT_NE(message.find(c.Expected), std::string::npos) << message;
    }
  }

  TCommandProcessor p;
  EXPECT_THROW(ReadTableListProperty(p, "\"Mine\" 1 65:300\n\"Broken 1\n"), ECmdFileError);
  EXPECT_EQ(p.TableCount(), 3);
  EXPECT_EQ(p.Tables(0).Name(), "Default");
}

TEST(StoredTablesTest, CommandListForm) {
  TCommandTable t("Default");
  EXPECT_EQ(CommandListProperty(t), std::nullopt);  // no binding: nothing stored
  LoadStoredPairs(t, {});
  EXPECT_EQ(CommandListProperty(t), "");
  ReadCommandListProperty(t, "520:0 1092:13");
  EXPECT_EQ(t.Count(), 64);
  EXPECT_EQ(t.Get(63), Bind('D', C, ccDelLine));
  EXPECT_EQ(CommandListProperty(t), "520:0 1092:13");

  EXPECT_EQ(CommandListFromText(" 65:1\r\n-2:3\t"), (TStoredPairs{{65, 1}, {-2, 3}}));
  EXPECT_THROW(ReadCommandListProperty(t, "65:1 oops"), ECmdFileError);
  EXPECT_EQ(t.Count(), 64);
}

}  // namespace
}  // namespace quilmo

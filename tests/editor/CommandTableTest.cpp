#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "editor/BuiltinCommandTables.h"
#include "editor/CommandProcessor.h"

namespace quilmo {
namespace {

namespace fs = std::filesystem;

class CommandTableFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    FDir = fs::temp_directory_path() / ("quilmo-cmdtable-" + std::to_string(rd()));
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = FDir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Every table's name, flag and bindings, to compare a processor before and after.
  static std::string Snapshot(const TCommandProcessor& p) {
    std::string s;
    for (int i = 0; i < p.TableCount(); ++i) {
      s += p.Tables(i).Active() ? "+" : "-";
      s += p.Tables(i).ToText();
    }
    return s;
  }

  fs::path FDir;
};

TEST(CommandTableTest, NewTableAndListOperations) {
  TCommandTable t;
  EXPECT_EQ(t.Name(), "(Unknown)");
  EXPECT_TRUE(t.Active());
  EXPECT_EQ(t.Add(Bind('A', 0, 300)), 0);
  EXPECT_EQ(t.Add(Bind('B', 0, 301)), 1);
  t.Insert(0, Bind('C', 0, 302));
  t.Insert(3, Bind('D', 0, 303));
  EXPECT_THROW(t.Insert(5, Bind('E', 0, 304)), ECmdProcessorError);
  ASSERT_EQ(t.Count(), 4);
  EXPECT_EQ(t.Get(0).FirstKey, 'C');
  EXPECT_EQ(t.Get(3).FirstKey, 'D');

  t.Replace(1, Bind('A', sfCtrl, 305));
  EXPECT_EQ(t.Get(1), Bind('A', sfCtrl, 305));
  t.Delete(0);
  EXPECT_EQ(t.Count(), 3);
  EXPECT_EQ(t.Get(0), Bind('A', sfCtrl, 305));
  EXPECT_THROW(t.Delete(3), ECmdProcessorError);
  EXPECT_THROW(t.Get(-1), ECmdProcessorError);

  // No duplicate check in the table itself; IndexOfKeys finds the first by keys only.
  t.Add(Bind('A', sfCtrl, 306));
  EXPECT_EQ(t.IndexOfKeys(Bind('A', sfCtrl, 0)), 0);
  EXPECT_EQ(t.IndexOfKeys(Bind('A', 0, 305)), -1);
  EXPECT_EQ(t.IndexOfKeys(Bind2('A', sfCtrl, 'B', 0, 305)), -1);
  t.Clear();
  EXPECT_EQ(t.Count(), 0);
}

TEST(CommandTableTest, KeySequenceIsLittleEndian) {
  EXPECT_EQ(KeySequence(Bind(vkBack, sfShift, ccBack)), 520u);
  EXPECT_EQ(KeySequence(Bind('D', sfCtrl, ccDelLine)), 1092u);
  const KeyBinding seq = Bind2('Q', sfCtrl, 'S', sfNoneOrCtrl, ccHome);
  EXPECT_EQ(KeySequence(seq), 0x80530451u);
  EXPECT_EQ(BindingFromSequence(0x80530451u, ccHome), seq);
}

TEST(CommandTableTest, TextFormIsExact) {
  TCommandTable t("Mine", false);
  t.Add(Bind2('Q', sfCtrl, 'S', sfNoneOrCtrl, ccHome));
  t.Add(Bind(vkF2, 0, ccTableEdit));
  t.Add(Bind(255, 14, 65535));
  EXPECT_EQ(t.ToText(),
            "Mine\r\n"
            "  81   4  83 128    42\r\n"
            " 113   0   0   0    69\r\n"
            " 255  14   0   0 65535\r\n");
  EXPECT_EQ(TCommandTable("Empty").ToText(), "Empty\r\n");
}

TEST(CommandTableTest, FromTextIsTolerant) {
  TCommandTable t("Old", false);
  t.Add(Bind('A', 0, 1));
  // LF-only lines, tabs, surplus blanks, blank lines, no final line end, text after Ctrl-Z.
  t.FromText("New table\n 37 0 0 0 46\n\n\t39\t0  0 0\t55 \n37 0 0 0 10\x1Agarbage", "x");
  EXPECT_EQ(t.Name(), "New table");
  EXPECT_TRUE(t.Active());
  ASSERT_EQ(t.Count(), 3);
  EXPECT_EQ(t.Get(0), Bind(vkLeft, 0, ccLeft));
  EXPECT_EQ(t.Get(1), Bind(vkRight, 0, ccRight));
  EXPECT_EQ(t.Get(2), Bind(vkLeft, 0, ccDel));  // duplicates are kept
  t.FromText("Only a name", "x");
  EXPECT_EQ(t.Count(), 0);
}

TEST(CommandTableTest, MalformedTextNamesSourceAndLineAndChangesNothing) {
  const struct {
    const char* Text;
    const char* Expected;
  } cases[] = {
      {"T\r\n37 0 0 0 46\r\n37 0 x 0 46\r\n", "ligne 3 : « x » n'est pas un nombre valide."},
      {"T\n37 0 0 46\n", "ligne 2 : cinq nombres attendus, 4 trouvés."},
      {"T\n37 0 0 0 46 1\n", "ligne 2 : cinq nombres attendus, davantage trouvés."},
      {"T\n256 0 0 0 46\n", "ligne 2 : la valeur 256 dépasse 255."},
      {"T\n37 0 0 0 65536\n", "ligne 2 : la valeur 65536 dépasse 65535."},
      {"T\n37 0 0 0 99999999999999999999\n", "dépasse 65535."},
      {"T\n-1 0 0 0 46\n", "ligne 2 : « -1 » n'est pas un nombre valide."},
      {"", "le nom de la table manque"},
  };
  for (const auto& c : cases) {
    TCommandTable t("Kept", false);
    t.Add(Bind('A', 0, 1));
    try {
      t.FromText(c.Text, "/tmp/keys.txt");
      ADD_FAILURE() << "no error for: " << c.Text;
    } catch (const ECmdFileError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("« /tmp/keys.txt »"), std::string::npos) << message;
      EXPECT_NE(message.find(c.Expected), std::string::npos) << message;
    }
    EXPECT_EQ(t.Name(), "Kept");
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(t.Count(), 1);
  }
}

TEST_F(CommandTableFileTest, WriteAndReadBackThroughTheProcessor) {
  TCommandProcessor p;
  const fs::path file = FDir / "default.kbd";
  p.WriteTableToFile("default", file);
  const std::string bytes = Read(file);
  EXPECT_EQ(bytes.substr(0, 57), "Default\r\n  37   0   0   0    46\r\n  39   0   0   0    55\r\n");
  EXPECT_EQ(bytes.size(), 9u + 64u * 24u);

  // The table read is active and renamed, since "Default" exists.
  const int index = p.ReadTableFromFile(file);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(p.Tables(3).Name(), "Default1");
  EXPECT_TRUE(p.Tables(3).Active());
  EXPECT_EQ(p.Tables(3).Bindings(), p.Tables(0).Bindings());

  // A WordStar table read from a file acts once activated first.
  p.WriteTableToFile("WordStar", FDir / "ws.kbd");
  p.ClearTables();
  EXPECT_EQ(p.ReadTableFromFile(FDir / "ws.kbd"), 0);
  EXPECT_EQ(p.Tables(0).Name(), "WordStar");
  EXPECT_EQ(p.TranslateKey('Q', sfCtrl), ccSequencePending);
  EXPECT_EQ(p.TranslateKey('L', 0), ccRestore);
}

TEST_F(CommandTableFileTest, WritingAnUnknownTableDoesNothing) {
  TCommandProcessor p;
  p.WriteTableToFile("Nope", FDir / "nope.kbd");
  EXPECT_FALSE(fs::exists(FDir / "nope.kbd"));
  try {
    p.WriteTableToFile("Grid", FDir / "missing" / "grid.kbd");
    FAIL() << "no exception";
  } catch (const ECmdFileError& e) {
    EXPECT_NE(std::string(e.what()).find("grid.kbd"), std::string::npos) << e.what();
  }
}

TEST_F(CommandTableFileTest, MalformedFileLeavesTheTablesUnchanged) {
  TCommandProcessor p;
  p.Tables(2).SetActive(true);
  const std::string before = Snapshot(p);
  const fs::path bad = Write("bad.kbd", "Broken\r\n  37   0   0   0    46\r\n  39   0   0   0\r\n");
  try {
    p.ReadTableFromFile(bad);
    FAIL() << "no exception";
  } catch (const ECmdFileError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(bad.string()), std::string::npos) << message;
    EXPECT_NE(message.find("ligne 3"), std::string::npos) << message;
  }
  EXPECT_EQ(p.TableCount(), 3);
  EXPECT_EQ(Snapshot(p), before);

  try {
    p.ReadTableFromFile(FDir / "absent.kbd");
    FAIL() << "no exception";
  } catch (const ECmdProcessorError& e) {
    EXPECT_NE(std::string(e.what()).find("absent.kbd"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Snapshot(p), before);
}

}  // namespace
}  // namespace quilmo

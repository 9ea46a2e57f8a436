#include <QString>

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

QString PathIn(const TTempDir& dir, const std::string& name) {
  return QString::fromStdString(dir.File(name));
}

TEST(SettingsStore, NamesMatchWithoutRegardToCaseAcrossRestarts) {
  TTempDir dir;
  {
    TSettingsStore store(PathIn(dir, "s.conf"));
    EXPECT_FALSE(store.HasSubKeys());
    store.WriteString("Edition", "Filtres de fichiers", "a|*.a");
    store.WriteBool("Barre de statuts", "Informations à la volée", true);
    store.Flush();
  }
  TSettingsStore store(PathIn(dir, "s.conf"));
  EXPECT_TRUE(store.HasSubKeys());
  EXPECT_EQ(store.ReadString("EDITION", "filtres DE fichiers", "?"), "a|*.a");
  EXPECT_TRUE(store.ReadBool("barre de STATUTS", "INFORMATIONS À LA VOLÉE", false));
  // A write under another spelling replaces the value instead of adding one.
  store.WriteString("edition", "FILTRES de fichiers", "b|*.b");
  store.Flush();
  TSettingsStore again(PathIn(dir, "s.conf"));
  EXPECT_EQ(again.Sections().size(), 2);
  EXPECT_EQ(again.ReadString("Edition", "Filtres de fichiers", "?"), "b|*.b");
}

TEST(SettingsStore, IntegersAndBooleansFallBackOnTheDefaultUnlessDecimal) {
  const struct {
    const char* Stored;
    int Integer;   // read with default 7
    bool Boolean;  // read with default true
  } cases[] = {
      {"12", 12, true}, {"-3", -3, true}, {"0", 0, false},          {"", 7, true},
      {"abc", 7, true}, {"1x", 7, true},  {"99999999999", 7, true}, {"2", 2, true},
  };
  TTempDir dir;
  TSettingsStore store(PathIn(dir, "s.conf"));
  for (const auto& c : cases) {
    store.WriteString("S", "V", c.Stored);
    EXPECT_EQ(store.ReadInteger("S", "V", 7), c.Integer) << c.Stored;
    EXPECT_EQ(store.ReadBool("S", "V", true), c.Boolean) << c.Stored;
  }
  EXPECT_EQ(store.ReadInteger("S", "missing", 7), 7);
  EXPECT_EQ(store.ReadString("missing", "V", "d"), "d");
}

TEST(SettingsStore, ValuesAreWrittenAsText) {
  TTempDir dir;
  {
    TSettingsStore store(PathIn(dir, "s.conf"));
    store.WriteInteger("S", "Neg", -42);
    store.WriteBool("S", "On", true);
    store.WriteBool("S", "Off", false);
    store.Flush();
  }
  const std::string text = ReadFileBytes(dir.File("s.conf"));
  EXPECT_NE(text.find("Neg=-42"), std::string::npos) << text;
  EXPECT_NE(text.find("On=1"), std::string::npos) << text;
  EXPECT_NE(text.find("Off=0"), std::string::npos) << text;
}

TEST(SettingsStore, FailuresGiveTheirFrenchMessagesWithTheValueName) {
  TTempDir dir;
  // A folder that is a file: nothing can be written below it, even with every permission.
  WriteFileBytes(dir.File("file"), "x");
  TSettingsStore unwritable(PathIn(dir, "file/s.conf"));
  unwritable.WriteBool("Edition", "Marques", true);
  unwritable.WriteBool("Edition", "Tampon", true);
  try {
    unwritable.Flush();
    ADD_FAILURE() << "no error";
  } catch (const ESettingsError& error) {
    EXPECT_STREQ(error.what(), "Erreur à définition des données pour 'Marques'");
  }

  WriteFileBytes(dir.File("list.conf"), "[S]\nV=a, b\n");
  TSettingsStore store(PathIn(dir, "list.conf"));
  try {
    store.ReadString("S", "V", "");
    ADD_FAILURE() << "no error";
  } catch (const ESettingsError& error) {
    EXPECT_STREQ(error.what(), "Type de données incorrect pour 'V'");
  }
}

}  // namespace
}  // namespace quilmo::test

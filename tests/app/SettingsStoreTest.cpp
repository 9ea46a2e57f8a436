#include <QString>

#include <filesystem>

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
  for (const char* outside : {"-1", "513", "2147483647"}) {
    store.WriteString("S", "V", outside);
    EXPECT_EQ(store.ReadInteger("S", "V", 7, 0, 512), 7) << outside;
  }
  store.WriteString("S", "V", "512");
  EXPECT_EQ(store.ReadInteger("S", "V", 7, 0, 512), 512);
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

TEST(SettingsStore, AStorageThatRefusesWritesIsReportedOnceInFrench) {
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
  unwritable.WriteBool("Edition", "Espaces", true);
  EXPECT_NO_THROW(unwritable.Flush()) << "said once already";
  EXPECT_TRUE(unwritable.ReadBool("Edition", "Espaces", false)) << "kept for this run";
}

TEST(SettingsStore, ValuesThatAreNotTextOrCannotBeReadGiveTheDefault) {
  const struct {
    const char* Label;
    const char* File;  // nullptr: a folder stands where the file should be
  } cases[] = {
      {"bytes", "[S]\nV=@ByteArray(AAAA)\n"},
      {"a list", "[S]\nV=1, 2\n"},
      {"a variant", "[S]\nV=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)\n"},
      {"nothing", "[S]\nV=@Invalid()\n"},
      {"an unreadable store", nullptr},
  };
  for (const auto& c : cases) {
    TTempDir dir;
    if (c.File)
      WriteFileBytes(dir.File("s.conf"), c.File);
    else
      std::filesystem::create_directory(dir.File("s.conf"));
    TSettingsStore store(PathIn(dir, "s.conf"));
    EXPECT_EQ(store.ReadString("S", "V", "d"), "d") << c.Label;
    EXPECT_EQ(store.ReadInteger("S", "V", 7), 7) << c.Label;
    EXPECT_TRUE(store.ReadBool("S", "V", true)) << c.Label;
    EXPECT_FALSE(store.ValueExists("S", "V")) << c.Label;
  }
}

TEST(SettingsStore, TheFileIsReadableByItsOwnerOnly) {
  using std::filesystem::perms;
  const struct {
    const char* Label;
    bool Exists;
    perms Before;
  } cases[] = {
      {"new", false, perms::none},
      {"readable by all", true,
       perms::owner_read | perms::owner_write | perms::group_read | perms::others_read},
      {"writable by all", true,
       perms::owner_read | perms::owner_write | perms::group_all | perms::others_all},
      {"owner only", true, perms::owner_read | perms::owner_write},
  };
  for (const auto& c : cases) {
    TTempDir dir;
    const std::string path = dir.File("sub/s.conf");
    if (c.Exists) {
      std::filesystem::create_directory(dir.File("sub"));
      WriteFileBytes(path, "[Historique]\n0=/a.txt\n");
      std::filesystem::permissions(path, c.Before);
    }
    TSettingsStore store(QString::fromStdString(path));
    store.WriteString("Rechercher", "0", "secret");
    store.Flush();
    EXPECT_EQ(std::filesystem::status(path).permissions(), perms::owner_read | perms::owner_write) << c.Label;
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("0=secret"), std::string::npos) << c.Label << text;
    EXPECT_EQ(text.find("/a.txt") != std::string::npos, c.Exists) << c.Label << text;
  }
}

}  // namespace
}  // namespace quilmo::test

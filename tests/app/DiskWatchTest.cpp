// The watch over the document's file against a window that keeps its text as a string and
// records what it was told: changes by another program, the document's own saves, a deleted
// file, a failed reload; then the system watcher itself, after a save by rename.

#include <QCoreApplication>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/DiskStamp.h"
#include "app/DiskWatch.h"
#include "engine/FileSystem.h"
#include "support/TempDir.h"

namespace quilmo::test {
namespace {

class TFakeDiskWindow : public TDiskWatchWindow {
 public:
  std::string DocumentFile() override { return Path; }
  QString DocumentName() override { return QString::fromStdString(Path); }
  bool DocumentModified() override { return Modified; }
  bool FileChangedSinceLoad() override { return Stamp.ChangedOnDisk(DefaultFileSystem(), Path); }
  bool Reload(QString& message) override {
    ++Reloads;
    if (!FailReload.isEmpty()) {
      message = FailReload;
      return false;
    }
    Load();
    return true;
  }
  void KeepText() override { Modified = true; }
  void ShowNotice(const TDiskNotice& notice) override { Notices.push_back(notice); }
  void HideNotice() override { Notices.push_back({}); }

  // The document reads its file (or saves it: the same for the stamp).
  void Load() {
    Text = ReadFileBytes(Path);
    Modified = false;
    Stamp.Take(DefaultFileSystem(), Path);
  }
  void Save(const std::string& text) {
    WriteFileBytes(Path, text);
    Text = text;
    Modified = false;
    Stamp.Take(DefaultFileSystem(), Path);
  }
  // What the notices said since the last call: "" for a hidden notice.
  std::vector<std::string> Told() {
    std::vector<std::string> told;
    for (const TDiskNotice& notice : Notices) told.push_back(notice.Text.toStdString());
    Notices.clear();
    return told;
  }

  std::string Path;
  std::string Text;
  bool Modified = false;
  QString FailReload;  // not empty: Reload fails with this reason
  int Reloads = 0;
  TDiskStamp Stamp;
  std::vector<TDiskNotice> Notices;
};

class DiskWatchTest : public ::testing::Test {
 protected:
  DiskWatchTest() {
    Window.Path = A;
    WriteFileBytes(A, "un\n");
    Window.Load();
    Watch.Follow();
  }
  std::string Changed() const { return "« " + A + " » a été modifié par un autre programme"; }
  std::string Reloaded() const { return Changed() + " et a été rechargé."; }
  std::string Offered() const {
    return Changed() +
           ". Vos modifications ne sont pas enregistrées : « Recharger » les remplace par le "
           "contenu du fichier.";
  }
  std::string Gone() const {
    return "« " + A +
           " » a été supprimé ou renommé : le texte n'existe plus que dans cette fenêtre. "
           "Enregistrez-le pour le garder.";
  }
  using TTold = std::vector<std::string>;

  TTempDir Dir;
  std::string A = Dir.File("a.txt");
  TFakeDiskWindow Window;
  TDiskWatch Watch{Window, DefaultFileSystem()};
};

TEST_F(DiskWatchTest, AChangeByAnotherProgramReloadsOrOffersToReload) {
  struct TCase {
    bool Modified;
    std::string TextAfter;
    int Reloads;
    bool Offers;
  } const cases[] = {
      {false, "deux\n", 1, false},
      {true, "mien\n", 0, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Modified);
    WriteFileBytes(A, "un\n");
    Window.Load();
    Window.Told();
    Window.Reloads = 0;
    if (c.Modified) {
      Window.Text = "mien\n";
      Window.Modified = true;
    }
    WriteFileBytes(A, "deux\n");
    Watch.Check();
    EXPECT_EQ(Window.Text, c.TextAfter);
    EXPECT_EQ(Window.Reloads, c.Reloads);
    ASSERT_EQ(Window.Notices.size(), 1U);
    EXPECT_EQ(Window.Notices[0].OffersReload, c.Offers);
    EXPECT_EQ(Window.Notices[0].Passing, !c.Offers);
    EXPECT_EQ(Window.Told(), TTold{c.Modified ? Offered() : Reloaded()});
    // The same version of the file is told once, however many events come.
    Watch.Check();
    EXPECT_EQ(Window.Told(), TTold{});
  }
  // The user chose to reload: their text gives way to the file's.
  Watch.ReloadNow();
  EXPECT_EQ(Window.Text, "deux\n");
  EXPECT_FALSE(Window.Modified);
  EXPECT_EQ(Window.Told(), TTold{Reloaded()});
}

TEST_F(DiskWatchTest, TheDocumentsOwnSaveIsNoChange) {
  Window.Save("enregistré\n");
  Watch.Check();
  EXPECT_EQ(Window.Told(), TTold{});
  EXPECT_EQ(Window.Reloads, 0);
}

TEST_F(DiskWatchTest, EachNewVersionIsToldAgainAndASaveClosesTheNotice) {
  Window.Modified = true;
  WriteFileBytes(A, "deux\n");
  Watch.Check();
  Watch.Dismiss();
  EXPECT_EQ(Window.Told(), (TTold{Offered(), ""}));
  WriteFileBytes(A, "trois !\n");
  Watch.Check();
  EXPECT_EQ(Window.Told(), TTold{Offered()});
  // The user kept their text and saved it over the file: nothing left to say.
  Window.Save("mien\n");
  Watch.Check();
  EXPECT_EQ(Window.Told(), TTold{""});
  EXPECT_EQ(ReadFileBytes(A), "mien\n");
}

TEST_F(DiskWatchTest, ADeletedFileLeavesTheTextInTheWindowUntilSaved) {
  for (const bool modified : {false, true}) {
    SCOPED_TRACE(modified);
    Window.Modified = modified;
    std::filesystem::remove(A);
    Watch.Check();
    Watch.Check();
    EXPECT_EQ(Window.Told(), TTold{Gone()});
    EXPECT_TRUE(Window.Modified) << "closing asks before the text is lost";
    EXPECT_EQ(Window.Text, "un\n");
    EXPECT_EQ(Window.Reloads, 0);
    Window.Save("un\n");
    Watch.Check();
    EXPECT_EQ(Window.Told(), TTold{""});
  }
  // Renamed away is the same, and coming back as it was says nothing more.
  std::filesystem::rename(A, Dir.File("b.txt"));
  Watch.Check();
  EXPECT_EQ(Window.Told(), TTold{Gone()});
  std::filesystem::rename(Dir.File("b.txt"), A);
  Watch.Check();
  EXPECT_EQ(Window.Told(), TTold{""});
}

TEST_F(DiskWatchTest, AFailedReloadKeepsTheTextAndOffersToTryAgain) {
  Window.FailReload = "lecture impossible";
  WriteFileBytes(A, "deux\n");
  Watch.Check();
  EXPECT_EQ(Window.Text, "un\n");
  ASSERT_EQ(Window.Notices.size(), 1U);
  EXPECT_TRUE(Window.Notices[0].OffersReload);
  EXPECT_EQ(Window.Told(), TTold{Changed() + " mais n'a pas pu être rechargé. lecture impossible"});
  Window.FailReload.clear();
  Watch.ReloadNow();
  EXPECT_EQ(Window.Text, "deux\n");
}

TEST_F(DiskWatchTest, AnotherDocumentIsFollowedAndAnUntitledOneIsNot) {
  Window.Modified = true;
  WriteFileBytes(A, "deux\n");
  Watch.Check();
  Window.Told();
  const std::string b = Dir.File("b.txt");
  WriteFileBytes(b, "b\n");
  Window.Path = b;
  Window.Load();
  Watch.Follow();
  EXPECT_EQ(Window.Told(), TTold{""}) << "the notice was about the other file";
  EXPECT_TRUE(Watch.WatchedPaths().contains(QString::fromStdString(b)));
  EXPECT_FALSE(Watch.WatchedPaths().contains(QString::fromStdString(A)));
  Window.Path.clear();
  Watch.Follow();
  Watch.Check();
  EXPECT_TRUE(Watch.WatchedPaths().isEmpty());
  EXPECT_EQ(Window.Told(), TTold{});
}

// The system watcher: a save by rename drops the file from it; it is watched again, and a
// later write by another program arrives as a reload.
TEST_F(DiskWatchTest, TheSystemWatcherFollowsTheFileAcrossASaveByRename) {
  const QString path = QString::fromStdString(A);
  ASSERT_TRUE(Watch.WatchedPaths().contains(path));
  WriteFileBytes(Dir.File("tmp"), "enregistré\n");
  std::filesystem::rename(Dir.File("tmp"), A);
  Window.Load();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Watch.WatchedPaths().contains(path); }, 5000));
  QTest::qWait(TDiskWatch::kSettleMs * 2);
  EXPECT_EQ(Window.Told(), TTold{});
  WriteFileBytes(A, "écrit par un autre\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Window.Reloads > 0; }, 5000));
  EXPECT_EQ(Window.Text, "écrit par un autre\n");
}

}  // namespace
}  // namespace quilmo::test

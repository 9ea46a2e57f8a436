// A process that types through the editor control with the journal on is killed with
// SIGKILL at seeded moments; the text recovered from its journal is the text it had at its
// last completed sync (or at the one it was finishing), byte for byte.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "editor/CommandCodes.h"
#include "editor/TextFileEditor.h"
#include "engine/JournalReplay.h"
#include "engine/JournalWriter.h"
#include "support/EditorDoc.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

constexpr int kKeysPerBatch = 7;

// The session of `seed`: the same keys in the same order wherever it runs.
class TSession {
 public:
  explicit TSession(unsigned seed) : rng_(seed) {}

  void TypeBatch(TTextFileEditor& editor) {
    static const TEditorCommand kCommands[] = {ccBack, ccDel, ccNewLine, ccUndo, ccRedo,
                                               ccLeft, ccUp,  ccDelWord, ccTab,  ccHome};
    for (int i = 0; i < kKeysPerBatch; ++i) {
      const unsigned r = rng_() % 24;
      if (r < 14) {
        editor.ProcessCommand(ccTypeChar, static_cast<unsigned char>("ab \xE9\x9C"[r % 5]));
      } else {
        editor.ProcessCommand(kCommands[r - 14], 0);
      }
    }
  }

 private:
  std::mt19937 rng_;
};

// Types batch after batch, flushing the journal after each and reporting its number on
// `report`, until killed.
[[noreturn]] void TypeUntilKilled(unsigned seed, const std::string& journal, int report) {
  TTextFileEditor editor;
  TJournalWriter writer(DefaultFileSystem(), journal);
  writer.Start(editor.ParaList(), {});
  TSession session(seed);
  for (int batch = 1;; ++batch) {
    session.TypeBatch(editor);
    if (writer.Flush(batch) != 0) _exit(2);
    if (write(report, &batch, sizeof batch) != sizeof batch) _exit(3);
  }
}

TEST(JournalKillTest, SeededKillsRecoverTheTextOfTheLastSync) {
  int checked = 0;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    test::TTempDir dir;
    const std::string journal = dir.File("j");
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipeEnds[0]);
      TypeUntilKilled(seed, journal, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    // Let it get through a seeded number of batches, then kill it at once.
    int last = 0;
    const int wanted = 1 + static_cast<int>(seed % 13);
    while (last < wanted && read(pipeEnds[0], &last, sizeof last) == sizeof last) {
    }
    usleep(seed * 389 % 3000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    int more = 0;
    while (read(pipeEnds[0], &more, sizeof more) == sizeof more) last = more;
    close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the typing process stopped by itself";

    // The texts after each batch, from the same session run here.
    TTextFileEditor model;
    TSession session(seed);
    std::vector<std::string> texts;
    for (int batch = 0; batch <= last + 1; ++batch) {
      if (batch > 0) session.TypeBatch(model);
      texts.push_back(test::PlainEditorText(model));
    }

    const TJournalContents contents = ReadJournal(test::ReadFileBytes(journal));
    TTextFileEditor recovered;
    ASSERT_TRUE(IsJournalBase(recovered.ParaList(), contents.Base));
    ASSERT_TRUE(ReplayJournal(recovered.ParaList(), contents.Changes).Consistent);
    const std::string text = test::PlainEditorText(recovered);
    EXPECT_TRUE(text == texts[last] || text == texts[last + 1])
        << "recovered «" << text << "», last sync «" << texts[last] << "»";
    ++checked;
  }
  EXPECT_EQ(checked, 200);
}

}  // namespace
}  // namespace quilmo

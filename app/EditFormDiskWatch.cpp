// The watch over the document's file: the window's side of TDiskWatch, the notice above the
// text and reading the file again.
#include <QFile>
#include <QVBoxLayout>

#include <algorithm>

#include "app/DiskWatch.h"
#include "app/EditForm.h"
#include "app/FileCommands.h"
#include "app/FileErrors.h"
#include "app/NoticeBar.h"
#include "editor/TextFileEditor.h"
#include "editor/qt/EditorWidget.h"

namespace quilmo {

class TEditFormDiskWindow : public TDiskWatchWindow {
 public:
  explicit TEditFormDiskWindow(TEditForm& form) : F(form) {}

  std::string DocumentFile() override { return F.IsUntitled() ? std::string() : F.FEditor->FileName(); }
  QString DocumentName() override { return F.DocumentName(); }
  bool DocumentModified() override { return F.FEditor->Modified(); }
  bool FileChangedSinceLoad() override { return F.FileCommands().ChangedOnDisk(); }
  bool Reload(QString& message) override { return F.ReloadDocument(message); }
  void KeepText() override {
    F.FEditor->SetModified(true);
    F.UpdateStatusBar();
  }
  void ShowNotice(const TDiskNotice& notice) override {
    F.FNoticeBar->ShowNotice(notice.Text, notice.OffersReload ? TNoticeOffer::Action : TNoticeOffer::Nothing,
                             notice.Passing ? TNoticeStay::Passing : TNoticeStay::UntilClosed);
  }
  void HideNotice() override { F.FNoticeBar->HideNotice(); }

 private:
  TEditForm& F;
};

void TEditForm::CreateDiskWatch() {
  // The notice goes above the text, in the window's centre with it.
  QWidget* editor = takeCentralWidget();
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FNoticeBar = new TNoticeBar(QStringLiteral("Rec&harger"), centre);
  layout->addWidget(FNoticeBar);
  layout->addWidget(editor, 1);
  setCentralWidget(centre);
  centre->setFocusProxy(editor);

  FDiskWindow = std::make_shared<TEditFormDiskWindow>(*this);
  FDiskWatch = new TDiskWatch(*FDiskWindow, FEditor->FileSystem(), this);
  FNoticeBar->OnAction = [this] { FDiskWatch->ReloadNow(); };
  FNoticeBar->OnClose = [this] { FDiskWatch->Dismiss(); };
  // Whatever changed the document (a file command, a drop, a recovery) sets the caption.
  installEventFilter(FDiskWatch);
}

bool TEditForm::ReloadDocument(QString& message) {
  const std::string name = FEditor->FileName();
  std::int32_t line = 1;
  std::int32_t column = 1;
  FEditor->GetCaretPosition(line, column);
  const std::int32_t top = FEditor->TopLine();
  try {
    // The same path as Open: a file that cannot be read leaves the text as it is.
    CheckReadable(FEditor->FileSystem(), name);
    FEditor->LoadTextFile(name);
  } catch (const std::exception& error) {
    message = QString::fromUtf8(error.what());
    return false;
  }
  FileCommands().RememberDiskState();
  ClearMarksList();
  message = TakeLoadReport();
  FEditor->SetTopLine(std::min(top, FEditor->LineCount()));
  FEditor->SetCaretPosition(std::min(line, FEditor->LineCount()), column);
  UpdateButtons(FEditor->ByteCount() != 0);
  Search1Click();
  Edit1Click();
  return true;
}

}  // namespace quilmo

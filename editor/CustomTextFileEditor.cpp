// The text-file editor: file name and state, loading, saving, appending paragraphs.

#include "editor/CustomTextFileEditor.h"

#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/EditorErrors.h"
#include "engine/FileError.h"
#include "engine/TextFileReader.h"
#include "engine/TextFileWriter.h"

namespace quilmo {

namespace {

// The paragraphs of a list, first to last.
class TParaListSource : public TParagraphSource {
 public:
  explicit TParaListSource(TParaList& list) : FNode(list.GetPara(1)) {}
  bool Next(const char*& text, size_t& length) override {
    if (FNode == nullptr) return false;
    text = FNode->Text();
    length = static_cast<size_t>(FNode->Length());
    FNode = FNode->Next();
    return true;
  }
  size_t NextBatch(TByteSlice* paras, size_t count) override {
    size_t n = 0;
    for (; n < count && FNode != nullptr; FNode = FNode->Next())
      paras[n++] = {FNode->Text(), static_cast<size_t>(FNode->Length())};
    return n;
  }

 private:
  const TParaNode* FNode;
};

// The message a loading failure is reported with.
const char* LoadErrorMessage(std::uint16_t code) {
  switch (code) {
    case ErrTooManyParas:
    case ErrTextTooLarge:
    case ErrParaTooLong: return EditorErrorMessage(code);
    default: return EditorErrorMessage(ErrOutOfMemory);
  }
}

}  // namespace

// The hourglass for the lifetime of the object, through the control's host.
class TCustomTextFileEditor::TBusyScope {
 public:
  explicit TBusyScope(TCustomTextFileEditor& editor) : FEditor(editor) { FEditor.BusyCursor(true); }
  ~TBusyScope() { FEditor.BusyCursor(false); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TCustomTextFileEditor& FEditor;
};

TCustomTextFileEditor::TCustomTextFileEditor() : FFileSystem(&DefaultFileSystem()) {}

// ---------------------------------------------------------------- names

std::string TCustomTextFileEditor::NormalizeFileName(const std::string& name) {
  return quilmo::NormalizeFileName(name);
}

bool TCustomTextFileEditor::SameFileName(const std::string& a, const std::string& b) {
  return quilmo::SameFileName(a, b);
}

// ---------------------------------------------------------------- properties

void TCustomTextFileEditor::SetFileName(const std::string& value) {
  std::string name = NormalizeFileName(value);
  // Another file: the text stays (Save As goes on with it) but was not loaded from that one.
  if (!SameFileName(name, FFileName)) FIsOpen = false;
  // Another spelling of the same file is stored too, so that the next save goes where the
  // user said.
  FFileName = std::move(name);
}

void TCustomTextFileEditor::SetIsOpen(bool value) {
  if (value == FIsOpen || FFileName.empty()) return;
  if (value) {
    LoadTextFile(FFileName);
  } else {
    FIsOpen = false;
    ClearText(true);
    ForgetFormat();
  }
}

bool TCustomTextFileEditor::ReadOnly() const {
  return TCustomEditor::ReadOnly() || FTextReadOnly;
}

void TCustomTextFileEditor::ForgetFormat() {
  FTextFormat = PlatformTextFormat();
  FTextReadOnly = false;
}

// ---------------------------------------------------------------- loading

// Reads the file into a list of its own; the recovery journal's hash of the text is taken on
// the way (TJournalBaseHasher).
TCustomTextFileEditor::TReadText TCustomTextFileEditor::ReadTextFile(const std::string& fileName) {
  TTextFileReader reader(*FFileSystem);
  reader.SetParaLengthLimit(static_cast<size_t>(ParaLengthLimit()));
  TReadText read;
  std::shared_ptr<TParaList>& list = read.List;
  std::unique_ptr<TJournalBaseHasher>& hasher = read.Hasher;
  list = NewEmptyList();
  hasher = std::make_unique<TJournalBaseHasher>(list);
  try {
    // A file larger than the text may grow is refused before it is read.
    TFileByteSource source(*FFileSystem, fileName, static_cast<std::uint64_t>(ByteLimit()));
    // The reader delivers no NUL, as the appender requires.
    auto appender = std::make_optional<TParaList::TAppender>(*list, FTrimWhiteSpace);
    const std::uint16_t code = reader.LoadFrom(
        source,
        [&appender](const char* text, size_t length) {
          return appender->Append({text, length});
        },
        // A second reading (in the format the first one found out too late) starts afresh;
        // the lines already read are freed first.
        [this, &list, &hasher, &appender] {
          appender.reset();
          hasher.reset();
          list.reset();
          list = NewEmptyList();
          hasher = std::make_unique<TJournalBaseHasher>(list);
          appender.emplace(*list, FTrimWhiteSpace);
        });
    appender.reset();
    if (code != 0) throw EEditorError(LoadErrorMessage(code), 0);
  } catch (const std::bad_alloc&) {
    throw EEditorError(LoadErrorMessage(ErrOutOfMemory), 0);
  }
  read.Report = reader.Report();
  return read;
}

TLoadReport TCustomTextFileEditor::LoadTextFile(const std::string& name) {
  if (name.empty()) return {};
  const std::string fileName = NormalizeFileName(name);
  TBusyScope busy(*this);
  // Read into a list of its own, shown only once the whole file is in it: a load that fails
  // half-way leaves the present text, its name and its state as they were. No view follows
  // the new list, so nothing is repainted until it is shown.
  TReadText read = ReadTextFile(fileName);
  ReplaceText(std::move(read.List), false);
  FBaseHasher = std::move(read.Hasher);
  FFileName = fileName;
  FLoadReport = read.Report;
  TakeFormat();
  ShowLoadedText();
  FIsOpen = true;
  return FLoadReport;
}

bool TCustomTextFileEditor::FileHoldsJournalBase(const std::string& name, const TJournalBase& base) {
  TFileInfo info;
  if (FFileSystem->Stat(name, info) != 0 || !info.IsRegular || info.Size != base.FileSize) return false;
  TBusyScope busy(*this);
  const TReadText read = ReadTextFile(NormalizeFileName(name));
  TParaList& list = *read.List;
  if (list.ParaCount() != base.ParaCount || list.ByteCount() != base.ByteCount) return false;
  const std::optional<std::uint64_t> hash = read.Hasher->Hash(list);
  return (hash ? *hash : JournalTextHash(list)) == base.TextHash;
}

void TCustomTextFileEditor::OpenTextFile(const std::string& name) {
  const std::string fileName = NormalizeFileName(name);
  // The file already shown is not read again (on Windows its name may change in letter case).
  if (fileName.empty() || (FIsOpen && SameFileName(fileName, FFileName))) {
    SetFileName(fileName);
    return;
  }
  LoadTextFile(fileName);
}

void TCustomTextFileEditor::TakeFormat() {
  FTextFormat = FLoadReport.Format;
  FTextReadOnly = FLoadReport.ReadOnly();
}

void TCustomTextFileEditor::ShowLoadedText() {
  ResetViewState();
  if (HandleAllocated()) {
    RefreshLayout(true);
    PlaceCaret();
  }
}

// ---------------------------------------------------------------- saving

void TCustomTextFileEditor::SaveTextFile(const std::string& name) {
  if (name.empty()) return;
  if (FTextReadOnly) {
    throw EFileError("Le fichier « " + FFileName +
                         " » est ouvert en lecture seule : il contient des caractères absents du jeu de "
                         "caractères Windows-1252, que l'enregistrement remplacerait par « ? ».",
                     name, 0);
  }
  TBusyScope busy(*this);
  TTextFileWriter writer(*FFileSystem);
  writer.SetMakeBackup(FMakeBackup);
  writer.SetBackupExt(FBackupExt);
  writer.SetFormat(FTextFormat);
  TParaListSource source(ParaList());
  // Under the name FileName would keep, so that the next save goes to the same file.
  writer.Save(NormalizeFileName(name), source);
  SetModified(false);  // also marks the undo records: undoing past this point modifies again
}

void TCustomTextFileEditor::NewTextFile(const std::string& name) {
  ClearText(true);
  ForgetFormat();
  // The empty text is not the file's content, whatever the name.
  FIsOpen = false;
  SetFileName(name);
}

// ---------------------------------------------------------------- appending

std::uint16_t TCustomTextFileEditor::AppendPara(std::string_view text) {
  TParaList& list = ParaList();
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  if (std::uint16_t code = list.CheckLimits(0, 1, static_cast<std::int64_t>(text.size()) + 2)) return code;
  // One paragraph at a time, cut as the list cuts a long text, so that every view hears
  // of each paragraph inserted in front of the last one while the list is in that state.
  const auto limit = static_cast<size_t>(list.ParaLengthLimit());
  size_t start = 0;
  do {
    const size_t remaining = text.size() - start;
    if (start > 0) {
      if (std::uint16_t code = list.CheckLimits(0, 1, static_cast<std::int64_t>(remaining) + 2)) return code;
    }
    const size_t piece = NextPieceLength(text.substr(start), limit);
    const std::int32_t para = list.ParaCount();
    if (std::uint16_t code = list.AppendPara(text.substr(start, piece), FTrimWhiteSpace)) return code;
    const std::vector<TParaListView*> views = list.Views();
    for (TParaListView* view : views) view->ParaInserted(para, 1, 0, false);
    start += piece;
  } while (start < text.size());
  return 0;
}

// ---------------------------------------------------------------- shared views

void TCustomTextFileEditor::Attach(TCustomEditor& other) {
  TCustomEditor::Attach(other);
  if (auto* editor = dynamic_cast<TCustomTextFileEditor*>(&other)) {
    FFileName = editor->FFileName;
    FIsOpen = editor->FIsOpen;
    FTextFormat = editor->FTextFormat;
    FTextReadOnly = editor->FTextReadOnly;
  }
}

}  // namespace quilmo

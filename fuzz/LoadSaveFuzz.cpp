// Random bytes loaded into a paragraph list and saved again in the format found, in memory.
// The format, the saved bytes, the paragraph count and the load report must be those predicted
// from the input alone (tests/support/SaveModel.h); a file that opens editable and whose report
// announces no change must save back byte for byte (but for a line end behind its last line);
// the list's counts must be the sums over its paragraphs; and loading the saved file again
// (through the file system, in short reads) and saving it must give what the model predicts
// from the first save.
// The first byte chooses TrimWhiteSpace, the paragraph length limit, the reader's block size,
// the platform's format and the largest transfer the file system makes at once; a second byte
// 0xFF repeats the rest into a file larger than the writer's buffer.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/ParaList.h"
#include "engine/ParaNode.h"
#include "engine/TextFileReader.h"
#include "engine/TextFileWriter.h"
#include "tests/support/SaveModel.h"

namespace quilmo::fuzz {
namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "LoadSaveFuzz: %s\n", what);
    std::abort();
  }
}

// Files in memory, in one folder. Reads and writes move at most `Chunk` bytes per call, so that
// the callers' loops over partial transfers run.
class TMemoryFileSystem : public TFileSystem {
 public:
  std::size_t Chunk = 1;
  std::map<std::string, std::string> Files;

  int OpenRead(const std::string& path, TFileHandle& handle) override {
    if (Files.count(path) == 0) return ENOENT;
    return Open(path, handle);
  }
  int CreateNew(const std::string& path, std::uint32_t, TFileHandle& handle) override {
    if (Files.count(path) != 0) return EEXIST;
    Files[path];
    return Open(path, handle);
  }
  int OpenWrite(const std::string& path, TFileHandle& handle) override {
    if (Files.count(path) == 0) return ENOENT;
    return Open(path, handle);
  }
  int Read(TFileHandle handle, char* buffer, std::size_t size, std::size_t& done) override {
    THandle* h = Find(handle);
    if (h == nullptr) return EBADF;
    const std::string& data = Files[h->Path];
    done = std::min({size, Chunk, data.size() - std::min(h->Pos, data.size())});
    if (done > 0) std::memcpy(buffer, data.data() + h->Pos, done);
    h->Pos += done;
    return 0;
  }
  int Write(TFileHandle handle, const char* buffer, std::size_t size, std::size_t& done) override {
    THandle* h = Find(handle);
    if (h == nullptr) return EBADF;
    std::string& data = Files[h->Path];
    done = std::min(size, Chunk);
    if (data.size() < h->Pos + done) data.resize(h->Pos + done);
    data.replace(h->Pos, done, buffer, done);
    h->Pos += done;
    return 0;
  }
  int Truncate(TFileHandle handle, std::uint64_t size) override {
    THandle* h = Find(handle);
    if (h == nullptr) return EBADF;
    Files[h->Path].resize(static_cast<std::size_t>(size));
    return 0;
  }
  int Sync(TFileHandle handle) override { return Find(handle) != nullptr ? 0 : EBADF; }
  int Close(TFileHandle handle) override { return handles_.erase(handle) != 0 ? 0 : EBADF; }
  int FileStat(TFileHandle handle, TFileInfo& info) override {
    THandle* h = Find(handle);
    return h != nullptr ? Stat(h->Path, info) : EBADF;
  }
  int ChangeMode(TFileHandle handle, std::uint32_t) override { return Find(handle) != nullptr ? 0 : EBADF; }
  int ChangeOwner(TFileHandle handle, std::uint32_t, std::uint32_t) override {
    return Find(handle) != nullptr ? 0 : EBADF;
  }
  int Stat(const std::string& path, TFileInfo& info) override {
    const auto it = Files.find(path);
    if (it == Files.end()) return ENOENT;
    info = {};
    info.IsRegular = true;
    info.Mode = 0644;
    info.LinkCount = 1;
    info.Size = it->second.size();
    info.Inode = std::hash<std::string>()(path);
    return 0;
  }
  int LStat(const std::string& path, TFileInfo& info) override { return Stat(path, info); }
  int ReadLink(const std::string&, std::string&) override { return EINVAL; }
  int CheckWritable(const std::string& path) override { return Files.count(path) != 0 ? 0 : ENOENT; }
  int Rename(const std::string& oldPath, const std::string& newPath) override {
    const auto it = Files.find(oldPath);
    if (it == Files.end()) return ENOENT;
    std::string data = std::move(it->second);
    Files.erase(it);
    Files[newPath] = std::move(data);
    return 0;
  }
  int Link(const std::string&, const std::string&) override { return EPERM; }
  int Unlink(const std::string& path) override { return Files.erase(path) != 0 ? 0 : ENOENT; }
  int SyncFolder(const std::string&) override { return 0; }
  std::string TempFolder() override { return "/tmp"; }

  bool NoOpenHandles() const { return handles_.empty(); }

 private:
  struct THandle {
    std::string Path;
    std::size_t Pos = 0;
  };

  int Open(const std::string& path, TFileHandle& handle) {
    handle = nextHandle_++;
    handles_[handle] = THandle{path, 0};
    return 0;
  }
  THandle* Find(TFileHandle handle) {
    const auto it = handles_.find(handle);
    return it != handles_.end() ? &it->second : nullptr;
  }

  std::map<TFileHandle, THandle> handles_;
  TFileHandle nextHandle_ = 3;
};

// The paragraphs of a list, first to last.
class TListSource : public TParagraphSource {
 public:
  explicit TListSource(TParaList& list) : node_(list.GetPara(1)) {}
  bool Next(const char*& text, std::size_t& length) override {
    if (node_ == nullptr) return false;
    text = node_->Text();
    length = static_cast<std::size_t>(node_->Length());
    node_ = node_->Next();
    return true;
  }

 private:
  const TParaNode* node_;
};

// Counts against sums over the paragraphs, and the paragraph rules of loading.
void CheckList(TParaList& list, std::size_t limit, bool trim, TLineEnd lineEnd) {
  std::int64_t bytes = -2, lines = 0, paras = 0;
  for (const TParaNode* node = list.GetPara(1); node != nullptr; node = node->Next()) {
    const std::int32_t length = node->Length();
    Check(length <= static_cast<std::int32_t>(limit), "paragraph longer than the limit");
    Check(node->Text()[length] == '\0' &&
              std::memchr(node->Text(), '\0', static_cast<std::size_t>(length)) == nullptr,
          "NUL in a paragraph");
    Check(std::memchr(node->Text(), '\r', static_cast<std::size_t>(length)) == nullptr, "CR in a paragraph");
    Check(lineEnd == TLineEnd::leCrLf ||
              std::memchr(node->Text(), '\n', static_cast<std::size_t>(length)) == nullptr,
          "LF in a paragraph of an LF file");
    Check(!trim || length == 0 || (node->Text()[length - 1] != ' ' && node->Text()[length - 1] != '\t'),
          "trailing blank kept with TrimWhiteSpace");
    bytes += length + 2;
    lines += node->LineCount();
    ++paras;
  }
  Check(paras == list.ParaCount(), "ParaCount");
  Check(bytes == list.ByteCount(), "ByteCount");
  Check(lines == list.LineCount(), "LineCount");
  Check(list.ParaLength(list.ParaCount()) == 0, "last paragraph not empty");
  Check(!list.Modified() && list.UndoCount() == 0, "loading left Modified or undo steps");
}

// Loads `bytes` (from memory, or from the file system when `fileName` is given) and saves the
// list to "/doc/out.txt"; returns the saved bytes.
std::string LoadAndSave(TMemoryFileSystem& fs, const std::string& bytes, const char* fileName,
                        std::size_t limit, bool trim, std::size_t blockSize, bool wordWrap,
                        const TTextFormat& platform, TLoadReport& report, std::int32_t& paras) {
  auto newList = [&] {
    auto list = std::make_unique<TParaList>(wordWrap);
    list->SetWrapColumn(1 + static_cast<std::int32_t>(limit % 13));
    list->SetParaLengthLimit(static_cast<std::int32_t>(limit));
    return list;
  };
  std::unique_ptr<TParaList> list = newList();
  TTextFileReader reader(fs);
  reader.SetParaLengthLimit(limit);
  reader.SetBlockSize(blockSize);
  reader.SetPlatformFormat(platform);
  const TLineSink sink = [&](const char* text, std::size_t length) -> std::uint16_t {
    return list->AppendPara(std::string_view(text, length), trim);
  };
  const TRestartSink restart = [&] { list = newList(); };
  const std::uint16_t code = fileName != nullptr
                                 ? reader.Load(fileName, sink, restart)
                                 : reader.LoadBuffer(bytes.data(), bytes.size(), sink, restart);
  Check(code == 0, "loading failed");
  report = reader.Report();
  CheckList(*list, limit, trim, report.Format.LineEnd);
  paras = list->ParaCount();
  TTextFileWriter writer(fs);
  writer.SetFormat(report.Format);
  TListSource source(*list);
  writer.Save("/doc/out.txt", source);
  Check(fs.NoOpenHandles(), "a file handle left open");
  Check(fs.Files.size() == 1 + (fileName != nullptr ? 1 : 0), "a temporary file left behind");
  return fs.Files["/doc/out.txt"];
}

void CheckReport(const TLoadReport& got, const TLoadReport& expected) {
  Check(got.LineCount == expected.LineCount, "report: line count");
  Check(got.LongLineCount == expected.LongLineCount, "report: long line count");
  Check(got.LongestLine == expected.LongestLine, "report: longest line");
  Check(got.NulCount == expected.NulCount, "report: NUL count");
  Check(got.EndedByCtrlZ == expected.EndedByCtrlZ, "report: Ctrl-Z");
  Check(got.BytesAfterCtrlZ == expected.BytesAfterCtrlZ, "report: bytes after the Ctrl-Z");
  Check(got.Format == expected.Format, "report: format");
  Check(got.ControlCodeCount == expected.ControlCodeCount, "report: control codes");
  Check(got.CrLfCount == expected.CrLfCount, "report: CR LF count");
  Check(got.LoneCrCount == expected.LoneCrCount, "report: lone CR count");
  Check(got.LoneLfCount == expected.LoneLfCount, "report: lone LF count");
  Check(got.UnmappableCount == expected.UnmappableCount, "report: characters outside the code page");
}

}  // namespace
}  // namespace quilmo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quilmo;
  using namespace quilmo::fuzz;
  if (size == 0) return 0;
  const std::uint8_t config = data[0];
  const bool trim = (config & 1) != 0;
  // Mostly small limits, so that lines are split; sometimes the largest.
  const std::size_t limit = (config & 0x70) == 0x70 ? 32767 : 1 + (config >> 1) % 24;
  const bool wordWrap = (config & 0x80) != 0;
  const TTextFormat platform =
      (config & 4) != 0 ? TTextFormat{TEncoding::enUtf8, TLineEnd::leLf, {}} : TTextFormat{};
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  // A second byte 0xFF repeats the rest into a file larger than the writer's buffer.
  const bool large = size > 1 && data[1] == 0xFF;
  if (large) {
    const std::string unit = bytes.substr(1);
    bytes.clear();
    while (!unit.empty() && bytes.size() <= TTextFileWriter::BufferSize) bytes += unit;
  }

  const std::size_t blockSize = large ? TTextFileReader::DefaultBlockSize : 1 + (config >> 3) % 7;
  TMemoryFileSystem fs;
  fs.Chunk = large ? 100000 : 1 + (config >> 2) % 5 * 977;
  TLoadReport report;
  std::int32_t paras = 0;
  const std::string saved =
      LoadAndSave(fs, bytes, nullptr, limit, trim, blockSize, wordWrap, platform, report, paras);
  const test::TSavePrediction predicted = test::PredictSave(bytes, limit, trim, platform);
  CheckReport(report, predicted.Report);
  Check(paras == predicted.ParaCount, "paragraph count");
  Check(saved == predicted.Saved, "saved bytes differ from the prediction");
  if (!trim && !report.ReadOnly() && test::ReportPromisesSameBytes(report))
    Check(saved == test::WithFinalLineEnd(bytes, report.Format), "an unedited file changed without a word");

  if (large) return 0;  // the second round adds nothing to a repeated file but time

  // The saved file loaded from the file system and saved over itself.
  fs.Files["/doc/in.txt"] = saved;
  const std::string again =
      LoadAndSave(fs, saved, "/doc/in.txt", limit, trim, blockSize + 5, !wordWrap, platform, report, paras);
  const test::TSavePrediction second = test::PredictSave(saved, limit, trim, platform);
  CheckReport(report, second.Report);
  Check(report.NulCount == 0 && !report.EndedByCtrlZ && report.LongLineCount == 0 &&
            report.ControlCodeCount == 0 && report.LoneCrCount == 0 && !report.ReadOnly(),
        "a saved file needs changes");
  Check(again == second.Saved, "saving the saved file differs from the prediction");
  if (!trim) Check(again == saved, "saving the saved file changed it");
  return 0;
}

// Shared data of the engine benchmarks.

#include "bench/engine_fixture.h"

#include <chrono>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/BenchDoc.h"
#include "engine/ParaList.h"

namespace quilmo::bench {

const std::string& DocBytes(int megabytes) {
  static std::map<int, std::string> docs;
  auto it = docs.find(megabytes);
  if (it == docs.end()) it = docs.emplace(megabytes, ReadFileBytes(EnsureDoc(megabytes))).first;
  return it->second;
}

const std::vector<std::string_view>& DocLines(int megabytes) {
  static std::map<int, std::vector<std::string_view>> lines;
  auto it = lines.find(megabytes);
  if (it == lines.end()) it = lines.emplace(megabytes, SplitLines(DocBytes(megabytes))).first;
  return it->second;
}

namespace {
std::unique_ptr<TParaList> doc100;
TBuildMemory doc100Memory;
}  // namespace

TParaList& Doc100List() {
  if (!doc100) {
    const auto& lines = DocLines(100);
    auto fresh = std::make_unique<TParaList>();
    TrimHeap();
    const std::uint64_t rss0 = ResidentBytes();
    const std::uint64_t heap0 = HeapBytesInUse();
    const auto t0 = std::chrono::steady_clock::now();
    const std::uint16_t rc = AppendLines(*fresh, lines);
    const auto t1 = std::chrono::steady_clock::now();
    const std::uint64_t rss1 = ResidentBytes();
    const std::uint64_t heap1 = HeapBytesInUse();
    if (rc != 0)
      throw std::runtime_error("loading the 100 MB document failed with code " + std::to_string(rc));
    const double paras = static_cast<double>(fresh->ParaCount() - 1);
    const double chars = static_cast<double>(CharCount(*fresh));
    doc100Memory.Paras = fresh->ParaCount() - 1;
    doc100Memory.RssPerPara = (static_cast<double>(rss1) - static_cast<double>(rss0) - chars) / paras;
    doc100Memory.HeapPerPara = (static_cast<double>(heap1) - static_cast<double>(heap0) - chars) / paras;
    doc100Memory.Seconds = std::chrono::duration<double>(t1 - t0).count();
    TrimHeap();
    const std::uint64_t rss2 = ResidentBytes();
    fresh->SetWrapColumn(80);
    fresh->SetWordWrap(true);
    const std::uint64_t rss3 = ResidentBytes();
    fresh->SetWordWrap(false);
    doc100Memory.WrapRssPerPara = (static_cast<double>(rss3) - static_cast<double>(rss2)) / paras;
    doc100 = std::move(fresh);
  }
  return *doc100;
}

const TBuildMemory& Doc100BuildMemory() {
  Doc100List();
  return doc100Memory;
}

std::int64_t CharCount(const TParaList& list) {
  return static_cast<std::int64_t>(list.ByteCount()) - 2 * (static_cast<std::int64_t>(list.ParaCount()) - 1);
}

TParaList* Doc100ListOrSkip(benchmark::State& state) {
  try {
    return &Doc100List();
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return nullptr;
  }
}

const std::vector<std::string_view>* DocLinesOrSkip(benchmark::State& state, int megabytes) {
  try {
    return &DocLines(megabytes);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return nullptr;
  }
}

}  // namespace quilmo::bench

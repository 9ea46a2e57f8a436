#pragma once
// Paragraphs for the text-file writer, taken from a vector of strings.

#include <cstddef>
#include <string>
#include <vector>

#include "engine/TextFileWriter.h"

namespace quilmo::test {

// The vector must outlive the source (it is not copied: some tests save large texts often).
class TVectorSource : public TParagraphSource {
 public:
  explicit TVectorSource(const std::vector<std::string>& paras) : FParas(paras) {}
  explicit TVectorSource(std::vector<std::string>&&) = delete;
  bool Next(const char*& text, size_t& length) override {
    if (FIndex == FParas.size()) return false;
    text = FParas[FIndex].data();
    length = FParas[FIndex].size();
    ++FIndex;
    return true;
  }

 private:
  const std::vector<std::string>& FParas;
  size_t FIndex = 0;
};

}  // namespace quilmo::test

#include "app/History.h"

#include <algorithm>
#include <utility>

#include "editor/CustomTextFileEditor.h"

namespace quilmo {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return TCustomTextFileEditor::SameFileName(a, b);
}

}  // namespace

void THistory::Add(const std::string& name) {
  std::vector<std::string> rest(FEntries.begin(), FEntries.end());
  std::erase_if(rest, [&name](const std::string& entry) { return SameName(entry, name); });
  Rebuild(std::move(rest), name);
}

void THistory::ForgetMissing(const std::string& name, const std::optional<std::string>& currentDocument) {
  std::vector<std::string> rest(FEntries.begin(), FEntries.end());
  const auto missing = std::find_if(rest.begin(), rest.end(),
                                    [&name](const std::string& entry) { return SameName(entry, name); });
  if (missing != rest.end()) rest.erase(missing);
  // Adding the new first entry again removes it and puts it back in front: only the tenth slot
  // comes back.
  const std::string first = currentDocument ? *currentDocument : rest.front();
  std::erase_if(rest, [&first](const std::string& entry) { return SameName(entry, first); });
  Rebuild(std::move(rest), first);
}

void THistory::Rebuild(std::vector<std::string> rest, const std::string& first) {
  rest.resize(kHistorySize - 1);  // cut behind the ninth, or padded with empty slots
  FEntries[0] = first;
  std::move(rest.begin(), rest.end(), FEntries.begin() + 1);
}

std::string THistory::Caption(int index) const {
  std::string caption = "&";
  caption += std::to_string(index);
  caption += "  ";
  for (const char c : Entry(index)) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

void THistory::Load(const TReadString& read) {
  for (int i = 0; i < kHistorySize; ++i)
    FEntries[static_cast<size_t>(i)] = read(kHistorySection, std::to_string(i));
}

void THistory::Save(const TWriteString& write) const {
  for (int i = 0; i < kHistorySize; ++i)
    write(kHistorySection, std::to_string(i), FEntries[static_cast<size_t>(i)]);
}

}  // namespace quilmo

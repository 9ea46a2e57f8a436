#pragma once
// The list of the ten most recently used files, newest first, as the "&Historique" menu shows
// it and as the settings keep it (section "Historique", values "0" to "9").
//
// Empty strings are empty slots and may stand anywhere. Names are compared by the platform's
// rule (SameFileName: as they are on Linux, without regard to ASCII letter case on Windows).
// The settings are reached through two functions, so that the list does not depend on the store.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quilmo {

inline constexpr int kHistorySize = 10;
inline constexpr char kHistorySection[] = "Historique";

class THistory {
 public:
  // (section, value name) → the stored string, "" when missing.
  using TReadString = std::function<std::string(const std::string& section, const std::string& name)>;
  // (section, value name, value).
  using TWriteString =
      std::function<void(const std::string& section, const std::string& name, const std::string& value)>;

  const std::array<std::string, kHistorySize>& Entries() const { return FEntries; }
  // Entry 0..9.
  const std::string& Entry(int index) const { return FEntries.at(static_cast<size_t>(index)); }

  // Moves (or brings) the name to the top: every entry equal to it goes, the list is cut or
  // padded with empty slots to nine, and the name is inserted first. An empty name too.
  void Add(const std::string& name);
  // A file that no longer exists leaves the list (its first occurrence); the current document
  // then goes to the top, or, for an untitled one (nullopt), the new first entry only fills the
  // list back to ten.
  void ForgetMissing(const std::string& name, const std::optional<std::string>& currentDocument);

  // The menu item of entry i: "&i  name" (an '&' of the name doubled so that it shows), shown
  // only when the entry is not empty.
  std::string Caption(int index) const;
  bool Visible(int index) const { return !Entry(index).empty(); }

  // Values "0" to "9" of the section, in index order.
  void Load(const TReadString& read);
  void Save(const TWriteString& write) const;

 private:
  void Rebuild(std::vector<std::string> rest, const std::string& first);

  std::array<std::string, kHistorySize> FEntries;
};

}  // namespace quilmo

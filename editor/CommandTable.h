#pragma once
// A named command table: an ordered list of key bindings, and its text-file form.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "editor/KeyBinding.h"
#include "engine/EditorErrors.h"

namespace quilmo {

// Errors of the command tables and the command processor.
class ECmdProcessorError : public EQuilmoException {
 public:
  using EQuilmoException::EQuilmoException;
};

class EDuplicateCommand : public ECmdProcessorError {
 public:
  EDuplicateCommand();
};

class ETableNotFound : public ECmdProcessorError {
 public:
  ETableNotFound();
};

// A command table file (or the stored tables) could not be read or written; the message
// names the file (or the source) and, for a malformed line, its number.
class ECmdFileError : public ECmdProcessorError {
 public:
  using ECmdProcessorError::ECmdProcessorError;
};

class TCommandTable {
 public:
  TCommandTable() = default;
  explicit TCommandTable(std::string name, bool active = true);

  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }
  bool Active() const { return FActive; }
  void SetActive(bool active) { FActive = active; }

  // Append, insert and replace copy the caller's binding; none of them checks for duplicates.
  int Add(const KeyBinding& binding);
  void Insert(int index, const KeyBinding& binding);  // 0 <= index <= Count()
  void Replace(int index, const KeyBinding& binding);
  void Delete(int index);
  void Clear();
  KeyBinding Get(int index) const;
  int Count() const { return static_cast<int>(FBindings.size()); }
  // Index of the first binding with the same KeySequence, or -1.
  int IndexOfKeys(const KeyBinding& binding) const;
  const std::vector<KeyBinding>& Bindings() const { return FBindings; }

  // Text form: the name on the first line, then one binding per line as five numbers
  // (FirstKey FirstShift SecondKey SecondShift Command), right-aligned in fields of
  // 4, 4, 4, 4 and 6 characters, lines ending with CR LF.
  std::string ToText() const;
  // Replaces name and bindings from the text form and makes the table active. Lines may end
  // with CR LF or LF; blank lines and anything after a Ctrl-Z are ignored. A malformed line
  // raises ECmdFileError naming `source` and the line; the table is then left unchanged.
  void FromText(std::string_view text, std::string_view source);

  void LoadFromFile(const std::filesystem::path& fileName);
  void SaveToFile(const std::filesystem::path& fileName) const;

 private:
  void CheckIndex(int index, int limit) const;

  std::string FName = "(Unknown)";
  bool FActive = true;
  std::vector<KeyBinding> FBindings;
};

// The name of a file for messages (UTF-8 on every system).
std::string PathText(const std::filesystem::path& fileName);

// Table names are compared without regard to case (Windows-1252 upper-casing).
bool SameTableName(std::string_view a, std::string_view b);

}  // namespace quilmo

#pragma once
// What reading a text file found: its format, and everything of the file that the text does
// not hold as it was, so that the window can say what a save would change, or why the text
// must not be saved at all.

#include <cstdint>
#include <string>

#include "engine/TextFormat.h"

namespace quilmo {

struct TLoadReport {
  TTextFormat Format;               // as found; what saving writes back
  std::uint64_t LineCount = 0;      // lines delivered
  std::uint64_t LongLineCount = 0;  // lines longer than the paragraph length limit (split)
  std::uint64_t LongestLine = 0;
  std::uint64_t NulCount = 0;          // NUL characters delivered as blanks
  bool EndedByCtrlZ = false;           // a Ctrl-Z ended the text
  std::uint64_t BytesAfterCtrlZ = 0;   // bytes behind that Ctrl-Z, not read into the text
  std::uint64_t ControlCodeCount = 0;  // characters with codes 1 to 8, saved as blanks
  std::uint64_t CrLfCount = 0;         // lines of a CR LF file ended by CR LF
  std::uint64_t LoneCrCount = 0;       // lines of a CR LF file ended by a CR alone (saved with CR LF)
  std::uint64_t LoneLfCount = 0;       // LFs inside the lines of a CR LF file (saved as they are)
  std::uint64_t UnmappableCount = 0;   // UTF-8 characters outside Windows-1252, shown as "?"

  // Line ends of more than one kind (CR LF, a lone CR, a lone LF).
  bool MixedLineEnds() const;
  // Saving would replace characters of the file by "?": the text must only be read.
  bool ReadOnly() const { return UnmappableCount > 0; }
  // Something of the file will not come back unchanged when the text is saved.
  bool HasWarnings() const {
    return NulCount > 0 || BytesAfterCtrlZ > 0 || ControlCodeCount > 0 || LoneCrCount > 0 || ReadOnly();
  }
};

// The French message that tells the user about the load of the file (named as the user knows
// it), or an empty text when there is nothing to say: why the text is read-only, what a save
// would change, line ends of several kinds, lines split at paraLengthLimit.
std::string LoadReportMessage(const TLoadReport& report, const std::string& fileName,
                              std::int32_t paraLengthLimit);

}  // namespace quilmo

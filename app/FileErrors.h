#pragma once
// Checks and texts of the file commands around loading and saving, so that a command that
// cannot succeed stops before it changes the document.

#include <string>

#include "engine/FileSystem.h"

namespace quilmo {

// Raises EFileError (a French message naming the file and the reason) when the file cannot be
// opened for reading or is no regular file (a folder, a FIFO, a device). Loading clears the text only once
// the file is open, so a command that checks first keeps its document, name and caption when the file is
// unreadable.
void CheckReadable(TFileSystem& fileSystem, const std::string& name);

// The question asked before a save replaces a file that another program changed since it was
// loaded or saved here.
std::string ChangedOnDiskQuestion(const std::string& name);

}  // namespace quilmo

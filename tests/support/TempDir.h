#pragma once
// A temporary folder for a test, removed with everything in it when the object goes away
// (write-protected subfolders included), and small file helpers.

#include <string>
#include <vector>

namespace quilmo::test {

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return FPath; }
  // Path() + "/" + name.
  std::string File(const std::string& name) const;

 private:
  std::string FPath;
};

// The whole file as bytes; throws std::runtime_error when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces the file with these bytes; throws std::runtime_error on failure.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The names in the folder, sorted (without "." and "..").
std::vector<std::string> FolderEntries(const std::string& folder);
// A sample file of tests/data (or of the folder QUILMO_TEST_DATA names).
std::string DataFile(const std::string& name);

}  // namespace quilmo::test

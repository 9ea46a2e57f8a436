#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quilmo::test {

TTempDir::TTempDir() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = base / ("quilmo-test-" + std::to_string(random()) + std::to_string(attempt));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      FPath = candidate.string();
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder in " + base.string());
}

TTempDir::~TTempDir() {
  std::error_code ec;
  // Make every folder writable again so that its entries can be removed.
  fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(FPath, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(FPath, ec);
}

std::string TTempDir::File(const std::string& name) const {
  return FPath + "/" + name;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string DataFile(const std::string& name) {
  const char* folder = std::getenv("QUILMO_TEST_DATA");
  if (folder != nullptr && *folder != '\0') return std::string(folder) + "/" + name;
  // This file is tests/support/TempDir.cpp.
  return (fs::path(__FILE__).parent_path().parent_path() / "data" / name).string();
}

}  // namespace quilmo::test

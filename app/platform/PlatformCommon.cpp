// The parts of the OS layer that are the same on every system.

#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/platform/Platform.h"

namespace quilmo::platform {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FullNameFromGecos(std::string_view gecos, std::string_view loginName) {
  const std::string_view field = Trimmed(gecos.substr(0, gecos.find(',')));
  std::string name;
  for (const char c : field) {
    if (c != '&') {
      name += c;
      continue;
    }
    const std::size_t start = name.size();
    name += loginName;
    if (start < name.size())
      name[start] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[start])));
  }
  return name;
}

std::string ClipboardViewer() {
  const std::string folder = WindowsFolder();
  if (folder.empty()) return {};
  // Names are UTF-8 both ways, whatever code page the system's narrow names would use.
  const std::filesystem::path path =
      std::filesystem::path(std::u8string(folder.begin(), folder.end())) / "Clipbrd.exe";
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace quilmo::platform

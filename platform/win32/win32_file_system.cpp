#include "platform/win32/win32_file_system.h"

#include <array>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

std::string Win32FileSystem::ExecutablePath() {
  // A path may be longer than MAX_PATH; the buffer grows until it fits.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};  // longer than any Windows path
    path.resize(path.size() * 2);
  }
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<Profile> Win32FileSystem::OpenProfile(const std::string& path) {
  return std::make_unique<Win32Profile>(path);
}

std::string Win32Profile::GetPrivateProfileString(std::string_view section, std::string_view key,
                                                  std::string_view default_value) {
  std::array<char, kMaxValueLength + 1> buffer{};
  const std::string section_text(section);
  const std::string key_text(key);
  const std::string default_text(default_value);
  const DWORD length =
      GetPrivateProfileStringA(section_text.c_str(), key_text.c_str(), default_text.c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
  return {buffer.data(), std::min<std::size_t>(length, kMaxValueLength)};
}

}  // namespace plinth::platform::win32

#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/common/profile_file.h"
#include "platform/common/unreadable_profile.h"
#include "platform/win32/os_error.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string LastErrorText() { return LastOsError().description; }

// The whole disk file of at most `limit` bytes, or why not.
FileSystem::DataFileRead ReadDiskFile(const std::string& path, std::uint64_t limit) {
  const auto failure = [](std::string error, bool missing = false) {
    return FileSystem::DataFileRead{std::nullopt, missing, std::move(error)};
  };
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return failure(DescribeError(error),
                   error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
  }
  // A device or a pipe (CON, a named pipe) could block or never end.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    return failure("it is no disk file (a pipe or a device)");
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return failure(LastErrorText());
  const auto file_size = static_cast<std::uint64_t>(size.QuadPart);
  if (file_size > limit) return failure(TooLargeReason(file_size, limit));

  // One byte more than the size: a file that grew meanwhile is noticed.
  std::string bytes(static_cast<std::size_t>(file_size) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(bytes.size() - filled);
    if (!ReadFile(file.get(), bytes.data() + filled, wanted, &count, nullptr)) {
      return failure(LastErrorText());
    }
    if (count == 0) break;
    filled += count;
    if (filled == bytes.size()) {
      if (filled > limit) return failure(TooLargeReason(filled, limit));
      bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size() * 2, limit + 1)));
    }
  }
  bytes.resize(filled);
  return {std::move(bytes), false, ""};
}

// The whole file, or a refusal that names the reason.
std::string ReadProfileBytes(const std::string& path) {
  FileSystem::DataFileRead file = ReadDiskFile(path, FileSystem::kMaxProfileFileSize);
  if (!file.bytes) RefuseProfile(path, file.error);
  return std::move(*file.bytes);
}

// Creates `folder` and the missing folders above it.
bool MakeFolders(const std::string& folder, std::string& error) {
  for (std::size_t end = folder.find_first_of("\\/", 3); end != std::string::npos;
       end = folder.find_first_of("\\/", end + 1)) {
    const std::string part = folder.substr(0, end);
    if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      error = "cannot create " + part + ": " + LastErrorText();
      return false;
    }
  }
  return true;
}

}  // namespace

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
  return std::make_unique<ProfileFile>(ReadProfileBytes(path));
}

FileSystem::DataFileRead Win32FileSystem::ReadDataFile(const std::string& path,
                                                       std::uint64_t limit) {
  return ReadDiskFile(path, limit);
}

std::string Win32FileSystem::UserDataFolder() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA("APPDATA", folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  return path + "Plinth\\";
}

std::optional<std::string> Win32FileSystem::WriteFileAtomically(const std::string& path,
                                                                std::string_view bytes) {
  const std::size_t separator = path.find_last_of("\\/");
  std::string error;
  if (separator != std::string::npos && !MakeFolders(path.substr(0, separator + 1), error)) {
    return error;
  }
  const std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
  {
    const FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return "cannot write " + path + ": " + LastErrorText();
    std::string_view rest = bytes;
    bool written = true;
    while (written && !rest.empty()) {
      DWORD count = 0;
      const auto wanted = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1u << 20));
      written = WriteFile(file.get(), rest.data(), wanted, &count, nullptr) && count > 0;
      rest.remove_prefix(written ? count : 0);
    }
    if (!written || !FlushFileBuffers(file.get())) {
      error = "cannot write " + path + ": " + LastErrorText();
    }
  }
  if (error.empty() && !MoveFileExA(temporary.c_str(), path.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = "cannot replace " + path + ": " + LastErrorText();
  }
  if (error.empty()) return std::nullopt;
  DeleteFileA(temporary.c_str());
  return error;
}

}  // namespace plinth::platform::win32

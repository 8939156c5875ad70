#include "tests/win32/windows_profile_reader.h"

#include <algorithm>
#include <array>

#include "platform/win32/windows_api.h"

namespace plinth::conformance {

std::string WindowsProfileReader::Lookup(std::string_view section, std::string_view key,
                                         std::string_view default_value) const {
  std::array<char, kMaxValueLength + 1> buffer{};
  const std::string section_text(section);
  const std::string key_text(key);
  const std::string default_text(default_value);
  const DWORD length =
      GetPrivateProfileStringA(section_text.c_str(), key_text.c_str(), default_text.c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
  return {buffer.data(), std::min<std::size_t>(length, kMaxValueLength)};
}

std::optional<std::string> WindowsProfileReader::FindValue(std::string_view section,
                                                           std::string_view key) {
  constexpr std::string_view kFirstMark = "\x01missing-1";
  constexpr std::string_view kSecondMark = "\x01missing-2";
  std::string value = Lookup(section, key, kFirstMark);
  if (value == kFirstMark && Lookup(section, key, kSecondMark) == kSecondMark) return std::nullopt;
  return value;
}

}  // namespace plinth::conformance

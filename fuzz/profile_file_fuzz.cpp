// The profile reader on any bytes: it must not crash, every value it gives
// fits the length limit, and every lookup agrees with a plain reading of
// the same rules (ReferenceProfile), whatever the letter case and the
// blanks around the names asked for.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/reference_profile.h"
#include "platform/common/profile_file.h"
#include "platform/common/windows1252.h"

namespace {

using plinth::fuzz::Check;
using plinth::fuzz::ReferenceProfile;
using plinth::platform::Profile;

constexpr std::string_view kDefault = "  default value  ";
constexpr std::string_view kDefaultAsGiven = "  default value";  // trailing blanks dropped

// The text the reader works on: UTF-8 files are decoded first.
std::string DecodedText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kBom)) return plinth::platform::Utf8ToCp1252Lossy(bytes.substr(3));
  bool ascii = true;
  for (const char ch : bytes) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
  if (ascii) return std::string(bytes);
  return plinth::platform::Utf8ToCp1252(bytes).value_or(std::string(bytes));
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return upper;
}

void CheckValue(const std::string& got, const std::optional<std::string>& expected) {
  Check(got.size() <= Profile::kMaxValueLength, "a value longer than 2047 characters");
  Check(got == expected.value_or(std::string(kDefaultAsGiven)),
        "the reader and the plain reading of the rules disagree");
}

void CheckLookup(plinth::platform::ProfileFile& profile, const plinth::fuzz::ReferenceProfile& ref,
                 std::string_view section, std::string_view key) {
  CheckValue(profile.GetPrivateProfileString(section, key, kDefault), ref.Find(section, key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  plinth::platform::ProfileFile profile{std::string(bytes)};
  const plinth::fuzz::ReferenceProfile ref(DecodedText(bytes));

  // Every section found by its name as written and in upper case with
  // blanks around; every key of it, the odd ones in upper case with blanks.
  std::size_t lookups = 0;
  for (const auto& section : ref.sections()) {
    CheckLookup(profile, ref, section.name, "no such key");
    const std::string shouted = " \t" + AsciiUpper(section.name) + "\t ";
    CheckLookup(profile, ref, shouted, section.keys.empty() ? "" : section.keys.front().first);
    for (const auto& [key, value] : section.keys) {
      if (++lookups > 2000) break;
      const std::string asked = lookups % 2 == 0 ? key : AsciiUpper(key) + " ";
      CheckValue(profile.GetPrivateProfileString(section.name, asked, kDefault),
                 ReferenceProfile::FindIn(section, asked));
    }
  }
  CheckLookup(profile, ref, "no such section", "Caption");
  CheckLookup(profile, ref, "Configuration", "ShiftOperation");
  CheckLookup(profile, ref, "Button1", "Caption");
  return 0;
}

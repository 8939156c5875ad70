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
#include "platform/common/profile_text.h"

namespace {

using plinth::fuzz::Check;
using plinth::fuzz::ReferenceProfile;
using plinth::platform::Profile;

// The text the reader works on: UTF-8 and UTF-16 files are decoded first.
std::string DecodedText(std::string_view bytes) {
  return plinth::platform::DecodeProfileBytes(std::string(bytes));
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return upper;
}

void CheckValue(const std::optional<std::string>& got, const std::optional<std::string>& expected) {
  Check(!got || got->size() <= Profile::kMaxValueLength, "a value longer than 2047 characters");
  Check(got == expected, "the reader and the plain reading of the rules disagree");
}

void CheckLookup(plinth::platform::ProfileFile& profile, const plinth::fuzz::ReferenceProfile& ref,
                 std::string_view section, std::string_view key) {
  CheckValue(profile.FindValue(section, key), ref.Find(section, key));
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
      CheckValue(profile.FindValue(section.name, asked), ReferenceProfile::FindIn(section, asked));
    }
  }
  CheckLookup(profile, ref, "no such section", "Caption");
  CheckLookup(profile, ref, "Configuration", "ShiftOperation");
  CheckLookup(profile, ref, "Button1", "Caption");
  return 0;
}

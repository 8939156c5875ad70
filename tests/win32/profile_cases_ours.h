#pragma once

// Our own reader (ProfileFile) on a profile case, natively and under Wine.

#include <optional>
#include <string>

#include "platform/common/profile_file.h"
#include "tests/win32/profile_cases.h"

namespace plinth::conformance {

inline std::optional<std::string> ReadWithProfileFile(const ProfileCase& profile_case,
                                                      const Lookup& lookup) {
  platform::ProfileFile profile(profile_case.file);
  return profile.FindValue(lookup.section, lookup.key);
}

}  // namespace plinth::conformance

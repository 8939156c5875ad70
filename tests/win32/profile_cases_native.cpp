// Prints the results of the profile cases as our own reader gives them.

#include <iostream>

#include "platform/common/profile_file.h"
#include "tests/win32/profile_cases.h"

int main() {
  using plinth::conformance::Lookup;
  using plinth::conformance::ProfileCase;
  plinth::conformance::PrintResults(
      std::cout, [](const ProfileCase& profile_case, const Lookup& lookup) {
        plinth::platform::ProfileFile profile(profile_case.file);
        return profile.GetPrivateProfileString(lookup.section, lookup.key, lookup.default_value);
      });
  return std::cout.good() ? 0 : 1;
}

#pragma once

// INI files and the lookups made in them, read once by the Windows profile
// reader (GetPrivateProfileStringA under Wine) and once by our own reader
// (ProfileFile, natively). Both print every result in the same form, so the
// two listings must be identical line for line.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace plinth::conformance {

struct Lookup {
  std::string section;
  std::string key;
};

struct ProfileCase {
  std::string name;
  std::string file;  // the file's bytes
  std::vector<Lookup> lookups;
};

const std::vector<ProfileCase>& ProfileCases();

// One reader: the value of `lookup` in the file of `profile_case`, or
// nothing when the file does not give the key.
using ProfileReader = std::function<std::optional<std::string>(const ProfileCase& profile_case,
                                                               const Lookup& lookup)>;

// Prints one line per lookup: case name, section, key and value (or that
// it is missing), every byte outside printable ASCII escaped as \xHH.
void PrintResults(std::ostream& out, const ProfileReader& read);

}  // namespace plinth::conformance

// Prints the results of the profile cases as the Windows profile reader
// gives them: each case's file is written to a folder of its own, under a
// name of its own (the reader caches files by name), and read with
// GetPrivateProfileStringA through the platform's Win32Profile.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/windows_api.h"
#include "tests/win32/profile_cases.h"

int main() {
  namespace fs = std::filesystem;
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  const fs::path folder =
      fs::path(temp) / ("plinth-profile-cases-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);

  const auto& cases = plinth::conformance::ProfileCases();
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const fs::path path = folder / ("case" + std::to_string(i) + ".ini");
    std::ofstream(path, std::ios::binary) << cases[i].file;
    paths.push_back(path.string());
  }

  plinth::conformance::PrintResults(
      std::cout, [&](const plinth::conformance::ProfileCase& profile_case,
                     const plinth::conformance::Lookup& lookup) {
        const auto index = static_cast<std::size_t>(&profile_case - cases.data());
        plinth::platform::win32::Win32Profile profile(paths[index]);
        return profile.GetPrivateProfileString(lookup.section, lookup.key, lookup.default_value);
      });

  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return std::cout.good() ? 0 : 1;
}

// Prints the results of the profile cases as the Windows profile reader
// gives them: each case's file is written to a folder of its own, under a
// name of its own (the reader caches files by name), and read with
// GetPrivateProfileStringA. With --ours, prints what our own reader gives
// in this Windows program instead, as Plinth.exe reads layouts.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/win32/windows_api.h"
#include "tests/win32/profile_cases.h"
#include "tests/win32/profile_cases_ours.h"
#include "tests/win32/windows_profile_reader.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  using plinth::conformance::Lookup;
  using plinth::conformance::ProfileCase;
  if (argc > 1 && std::string(argv[1]) == "--ours") {
    plinth::conformance::PrintResults(std::cout, plinth::conformance::ReadWithProfileFile);
    return std::cout.good() ? 0 : 1;
  }

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
      std::cout, [&](const ProfileCase& profile_case, const Lookup& lookup) {
        const auto index = static_cast<std::size_t>(&profile_case - cases.data());
        plinth::conformance::WindowsProfileReader reader(paths[index]);
        return reader.FindValue(lookup.section, lookup.key);
      });

  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return std::cout.good() ? 0 : 1;
}

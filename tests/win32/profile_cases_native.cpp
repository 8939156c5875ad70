// Prints the results of the profile cases as our own reader gives them.

#include <iostream>

#include "tests/win32/profile_cases.h"
#include "tests/win32/profile_cases_ours.h"

int main() {
  plinth::conformance::PrintResults(std::cout, plinth::conformance::ReadWithProfileFile);
  return std::cout.good() ? 0 : 1;
}

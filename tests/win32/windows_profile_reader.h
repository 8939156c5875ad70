#pragma once

// The Windows profile reader, GetPrivateProfileStringA, as a Profile: the
// reference that our own reader is compared with. Each lookup reads the
// file afresh, with a buffer of kMaxValueLength + 1 characters.

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace plinth::conformance {

class WindowsProfileReader final : public platform::Profile {
 public:
  explicit WindowsProfileReader(std::string path) : path_(std::move(path)) {}
  // A key is missing when two lookups with different defaults return the
  // defaults: no value in the file equals both.
  std::optional<std::string> FindValue(std::string_view section, std::string_view key) override;
  // One plain lookup with a default, as the Windows API gives it.
  std::string Lookup(std::string_view section, std::string_view key,
                     std::string_view default_value) const;

 private:
  std::string path_;
};

}  // namespace plinth::conformance

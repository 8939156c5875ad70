#pragma once

// Upper-casing of 8-bit text by the rules of the system's ANSI code page.

#include <string>

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32TextCase final : public TextCase {
 public:
  void CharUpperBuff(std::string& text) override;
};

}  // namespace plinth::platform::win32

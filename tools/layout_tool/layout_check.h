#pragma once

// `check`: what the keyboard's loader would silently ignore or misread in
// a layout file, each with its line.

#include <string>
#include <vector>

#include "tools/layout_tool/findings.h"

namespace plinth::layout_tool {

// `bytes` is the content of the file at `path`; Default.ini and the
// layouts that LOADINI names are looked up in `folders`, by default the
// file's own folder.
std::vector<Finding> CheckLayout(const std::string& bytes, const std::string& path,
                                 std::vector<std::string> folders = {});

}  // namespace plinth::layout_tool

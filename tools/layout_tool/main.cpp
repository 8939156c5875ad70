// plinth-layout: checks and shows layout files as the keyboard reads them.

#include <iostream>
#include <string>
#include <vector>

#include "tools/layout_tool/layout_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return plinth::layout_tool::RunLayoutTool(args, std::cout, std::cerr);
}

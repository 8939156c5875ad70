#include "tools/layout_tool/findings.h"

#include <algorithm>

namespace plinth::layout_tool {

std::vector<Finding> Findings::Sorted() const {
  std::vector<Finding> sorted = list_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return sorted;
}

}  // namespace plinth::layout_tool

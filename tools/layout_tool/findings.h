#pragma once

// What `check` reports: a line of the layout file and what is wrong there.

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace plinth::layout_tool {

struct Finding {
  int line = 0;
  std::string message;
  friend bool operator==(const Finding&, const Finding&) = default;
};

class Findings {
 public:
  // A record inherits its values into the layers above, so the same
  // problem can be met once per layer: each (line, message) counts once.
  // Lines below 1 stand for values from another file and are dropped.
  void Add(int line, std::string message) {
    if (line < 1) return;
    if (seen_.emplace(line, message).second) list_.push_back({line, std::move(message)});
  }

  // By line; findings of one line in the order they were added.
  std::vector<Finding> Sorted() const;

 private:
  std::vector<Finding> list_;
  std::set<std::pair<int, std::string>> seen_;
};

}  // namespace plinth::layout_tool

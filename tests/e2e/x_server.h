#pragma once

// An X server of the test's own: Xvfb on a free display number, chosen by
// the server itself (-displayfd), stopped by its process id.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace plinth::e2e {

using test_support::ChildOptions;
using test_support::ChildProcess;
using test_support::RunAndCapture;

class XServer {
 public:
  // Starts Xvfb with one screen of the given size; `extra_args` are added
  // to its command line (such as "-extension", "XTEST").
  explicit XServer(int width = 1280, int height = 1024, std::vector<std::string> extra_args = {});
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  bool started() const { return !display_name_.empty(); }
  // ":N"
  const std::string& display_name() const { return display_name_; }
  // The environment that points a program at this server.
  std::map<std::string, std::string> Env() const { return {{"DISPLAY", display_name_}}; }

 private:
  std::unique_ptr<ChildProcess> process_;
  std::string display_name_;
};

// Polls `condition` every few milliseconds until it holds or `timeout`
// has passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// A fresh directory for a test's files, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace plinth::e2e

#include "tests/hostile/disk_keyboard.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace plinth::hostile {
namespace {

std::filesystem::path MakeTempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plinth-hostile-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

}  // namespace

DiskKeyboard::DiskKeyboard()
    : directory_(MakeTempDirectory()),
      files_(directory_),
      services_{.keys = keyboard.keys,
                .pointer = keyboard.pointer,
                .screen = keyboard.screen,
                .files = files_,
                .text = keyboard.text,
                .app = keyboard.app,
                .timer = keyboard.timer,
                .scan_timer = keyboard.scan_timer} {}

DiskKeyboard::~DiskKeyboard() {
  keyboard.window.SetEventSink(nullptr);
  form_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void DiskKeyboard::Write(const std::string& relative_path, const std::string& bytes) {
  const std::filesystem::path path = directory_ / relative_path;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void DiskKeyboard::MakeDirectory(const std::string& relative_path) {
  std::filesystem::create_directories(directory_ / relative_path);
}

TForm1& DiskKeyboard::Create() {
  form_ = std::make_unique<TForm1>(services_, keyboard.window);
  keyboard.window.SetEventSink(form_.get());
  form_->FormCreate();
  keyboard.window.Show();
  return *form_;
}

}  // namespace plinth::hostile

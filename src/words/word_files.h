#pragma once

// The word list and the learned words on disk, through the platform's file
// system. Nothing here stops the keyboard: a file that cannot be read or
// written is reported, and the keyboard goes on without it.

#include <optional>
#include <string>

#include "platform/platform.h"
#include "src/words/learned_words.h"
#include "src/words/word_list.h"

namespace plinth::words {

// The name of the learned-words file in the user's data folder.
inline constexpr const char* kLearnedWordsFileName = "learned-words.txt";

// Reads the word list at `path`. On failure the list is empty and the error
// names the file and why.
WordListRead LoadWordList(platform::FileSystem& files, const std::string& path);

// The user's learned words, in UserDataFolder() + kLearnedWordsFileName.
class LearnedWordsFile {
 public:
  explicit LearnedWordsFile(platform::FileSystem& files);

  // Where the file is; empty when the system names no data folder.
  const std::string& path() const { return path_; }

  // Reads the file into `learned`. No file yet is no error. A file that
  // exists but cannot be read is never overwritten, so that nothing in it
  // is lost; learning then goes on in memory only. Returns what went wrong.
  std::optional<std::string> Load(LearnedWords& learned);

  // Writes `learned` when it changed since it was read or saved. On
  // failure the words stay in memory, still marked changed, and the next
  // Save tries again. Returns what went wrong.
  std::optional<std::string> Save(LearnedWords& learned);

 private:
  platform::FileSystem& files_;
  std::string path_;
  bool keep_file_ = false;  // the file exists but could not be read
};

}  // namespace plinth::words

#include "src/words/word_files.h"

namespace plinth::words {

WordListRead LoadWordList(platform::FileSystem& files, const std::string& path) {
  platform::FileSystem::DataFileRead file = files.ReadDataFile(path, WordList::kMaxFileSize);
  if (!file.bytes) return {WordList(), "cannot read the word list " + path + ": " + file.error};
  WordListRead read = ReadWordList(*file.bytes);
  if (!read.error.empty()) read.error = "the word list " + path + " is unreadable: " + read.error;
  return read;
}

LearnedWordsFile::LearnedWordsFile(platform::FileSystem& files) : files_(files) {
  const std::string folder = files_.UserDataFolder();
  if (!folder.empty()) path_ = folder + kLearnedWordsFileName;
}

std::optional<std::string> LearnedWordsFile::Load(LearnedWords& learned) {
  if (path_.empty()) return "no folder for the learned words: they are kept until the end only";
  platform::FileSystem::DataFileRead file = files_.ReadDataFile(path_, LearnedWords::kMaxFileSize);
  if (file.missing) return std::nullopt;
  if (!file.bytes) {
    keep_file_ = true;
    return "cannot read the learned words " + path_ + ": " + file.error +
           "; words learned now are kept until the end only";
  }
  LearnedWordsRead read = ReadLearnedWords(*file.bytes);
  learned = std::move(read.learned);
  if (read.skipped_lines == 0) return std::nullopt;
  return "the learned words " + path_ + " had " + std::to_string(read.skipped_lines) +
         " unreadable lines, left out";
}

std::optional<std::string> LearnedWordsFile::Save(LearnedWords& learned) {
  if (!learned.changed() || path_.empty() || keep_file_) return std::nullopt;
  if (auto error = files_.WriteFileAtomically(path_, learned.ToText())) {
    return "cannot save the learned words: " + *error;
  }
  learned.MarkSaved();
  return std::nullopt;
}

}  // namespace plinth::words

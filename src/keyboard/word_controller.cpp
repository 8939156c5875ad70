#include "src/keyboard/word_controller.h"

#include <optional>
#include <utility>

#include "src/keyboard/file_lookup.h"
#include "src/words/word_files.h"
#include "src/words/word_suggestions.h"

namespace plinth {

struct WordController::Words {
  Words(words::WordList word_list, platform::FileSystem& files)
      : list(std::move(word_list)), file(files) {}

  words::WordList list;
  words::LearnedWords learned;
  words::LearnedWordsFile file;
  words::WordSuggestions suggestions{list, learned};
};

namespace {

const std::string kNoSuggestion;

}  // namespace

WordController::WordController(platform::Services& services, ReportError report)
    : services_(services), report_(std::move(report)) {}

WordController::~WordController() = default;

void WordController::LayoutShown(bool has_word_buttons) {
  shown_ = has_word_buttons;
  if (shown_ && !words_) Start();
  UpdateLearning();
}

void WordController::Start() {
  const std::string name = setting_.empty() ? kDefaultWordList : setting_;
  words::WordListRead read;
  if (const std::optional<std::string> path = FindInLayoutFolders(services_.files, name)) {
    read = words::LoadWordList(services_.files, *path);
  } else {
    read.error = "Word list not found - " + name;
  }
  words_ = std::make_unique<Words>(std::move(read.list), services_.files);
  // The suggestions go on without the list (from the learned words alone).
  if (!read.error.empty()) report_(read.error);
  if (const auto error = words_->file.Load(words_->learned)) report_(*error);
  last_save_ = services_.timer.Now();
}

void WordController::UpdateLearning() {
  if (words_) words_->suggestions.set_learning(shown_ && learning_chosen_);
}

void WordController::ToggleLearning() {
  learning_chosen_ = !learning_chosen_;
  UpdateLearning();
}

bool WordController::TakesBackSpace(const words::SentKey& key) const {
  return words_ && words_->suggestions.TakesBackSpace(key);
}

void WordController::KeySent(const words::SentKey& key) {
  if (!words_) return;
  words_->suggestions.KeySent(key);
  SaveWhenDue();
}

void WordController::CursorMoved() {
  if (words_) words_->suggestions.CursorMoved();
}

const std::string& WordController::Suggestion(int n) {
  return words_ ? words_->suggestions.Suggestion(n) : kNoSuggestion;
}

std::string WordController::Accept(int n) {
  if (!words_) return {};
  std::string typed = words_->suggestions.Accept(n);
  SaveWhenDue();
  return typed;
}

void WordController::SaveWhenDue() {
  const std::chrono::milliseconds now = services_.timer.Now();
  if (!words_->learned.changed() || now - last_save_ < kSaveInterval) return;
  last_save_ = now;
  const auto error = words_->file.Save(words_->learned);
  // A failure is told once, not at every key; the words stay in memory
  // and each later save tries again.
  if (error && !save_failure_told_) report_(*error);
  save_failure_told_ = error.has_value();
}

void WordController::SaveAtEnd() {
  if (!words_) return;
  if (const auto error = words_->file.Save(words_->learned)) {
    services_.app.ReportOnStandardError("Error - " + *error);
  }
}

}  // namespace plinth

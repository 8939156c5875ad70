#pragma once

// Word suggestions in the keyboard window. The first time a layout with
// WORD buttons is on show, it reads the word list (the Words setting of the
// start-up layout, looked up like a layout) and the user's learned words;
// from then on it follows every key the keyboard sends, answers the WORD
// buttons' captions and clicks, and saves what was learned: at a key once
// kSaveInterval has passed since the last save, and at the end. Until then
// a layout without WORD buttons costs nothing: nothing is read, followed,
// learned or written.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "src/words/sent_key.h"

namespace plinth {

class WordController {
 public:
  // Shows a failure the user should know of (a dialog).
  using ReportError = std::function<void(const std::string& message)>;

  static constexpr const char* kDefaultWordList = "English.words";
  static constexpr std::chrono::seconds kSaveInterval{5};

  WordController(platform::Services& services, ReportError report);
  ~WordController();
  WordController(const WordController&) = delete;
  WordController& operator=(const WordController&) = delete;

  // Keeps the Words setting of the start-up layout: the word list's file
  // name; empty or not given, the bundled English list.
  void KeepSetting(std::string word_list) { setting_ = std::move(word_list); }
  // Whether the layout on show has WORD buttons. Learning goes on only
  // while it has them (and the user did not pause it).
  void LayoutShown(bool has_word_buttons);
  // The lists were read: keys are followed and captions answered.
  bool following() const { return words_ != nullptr; }

  // ---- the key path; nothing happens while not following
  // True when the key, sent next, must first take back a space (see
  // words::WordSuggestions::TakesBackSpace).
  bool TakesBackSpace(const words::SentKey& key) const;
  void KeySent(const words::SentKey& key);
  // The focus went to another window: what was typed is unknown.
  void CursorMoved();
  // The n-th suggestion, Windows-1252; empty when there is none.
  const std::string& Suggestion(int n);
  // The characters that accept the n-th suggestion; empty when none.
  std::string Accept(int n);

  // The popup item "Learn words": pauses or resumes learning.
  void ToggleLearning();
  bool learning_chosen() const { return learning_chosen_; }

  // Saves what was learned, if anything changed. The program is ending:
  // a failure goes to standard error only.
  void SaveAtEnd();

 private:
  struct Words;
  void Start();
  void SaveWhenDue();
  void UpdateLearning();

  platform::Services& services_;
  ReportError report_;
  std::string setting_;
  std::unique_ptr<Words> words_;
  bool shown_ = false;  // the layout on show has WORD buttons
  bool learning_chosen_ = true;
  bool save_failure_told_ = false;
  std::chrono::milliseconds last_save_{0};
};

}  // namespace plinth

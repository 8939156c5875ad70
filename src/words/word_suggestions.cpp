#include "src/words/word_suggestions.h"

namespace plinth::words {
namespace {

const std::string kNone;

}  // namespace

WordSuggestions::WordSuggestions(const WordList& list, LearnedWords& learned,
                                 const RankingWeights& weights)
    : predictor_(list, learned, weights), learned_(learned) {}

bool WordSuggestions::TakesBackSpace(const SentKey& key) const {
  const KeyMeaning meaning = MeaningOfKey(key);
  return meaning.effect == KeyEffect::Types && context_.TakesBackSpace(meaning.character);
}

void WordSuggestions::KeySent(const SentKey& key) {
  const KeyMeaning meaning = MeaningOfKey(key);
  switch (meaning.effect) {
    case KeyEffect::Types:
      Learn(context_.Type(meaning.character));
      break;
    case KeyEffect::Erases:
      context_.Erase();
      break;
    case KeyEffect::NewLine:
      Learn(context_.NewLine());
      break;
    case KeyEffect::Resets:
      context_.Reset();
      break;
    case KeyEffect::Ignored:
      return;
  }
  Changed();
}

void WordSuggestions::CursorMoved() {
  context_.Reset();
  Changed();
}

const std::string& WordSuggestions::Suggestion(int n) {
  if (n < 1 || n > kMaxSuggestions) return kNone;
  if (!fresh_) {
    const std::string previous = context_.PreviousWord();
    const std::vector<std::string> words = predictor_.Suggest(
        {context_.Prefix(), previous, context_.SentenceStart()}, kMaxSuggestions);
    for (std::size_t i = 0; i < shown_.size(); ++i) {
      shown_[i] = i < words.size() ? words[i] : std::string();
    }
    fresh_ = true;
  }
  return shown_[static_cast<std::size_t>(n - 1)];
}

std::string WordSuggestions::Accept(int n) {
  const std::string word = Suggestion(n);
  if (word.empty()) return {};
  const std::string rest = word.substr(context_.Prefix().size());
  Learn(context_.TypeAccepted(rest));
  Changed();
  return rest + ' ';
}

void WordSuggestions::Learn(const std::optional<FinishedWord>& finished) {
  if (learning_ && finished)
    learned_.Learn(finished->previous, finished->word, finished->sentence_start);
}

}  // namespace plinth::words

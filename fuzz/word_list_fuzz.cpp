// The word list and the learned words on any bytes, then typed into word
// suggestions: nothing may crash; a list that is read is ordered and
// consistent, a learned-words text reads back as it was written, and every
// suggestion completes what was typed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "src/words/word_suggestions.h"
#include "src/words/word_text.h"

namespace {

using plinth::fuzz::Check;
using namespace plinth::words;

void CheckList(const WordListRead& read) {
  const WordList& list = read.list;
  if (!read.error.empty()) {
    Check(list.words().empty(), "an unreadable list kept words");
    return;
  }
  std::uint64_t total = 0;
  for (WordIndex i = 0; i < list.words().size(); ++i) {
    const WordList::Word& word = list.word(i);
    Check(IsWord(word.folded) && Folded(word.folded) == word.folded, "a word not folded");
    Check(Folded(list.Written(i)) == word.folded, "a spelling of another word");
    Check(i == 0 || list.word(i - 1).folded < word.folded, "words out of order or repeated");
    Check(word.count > 0, "a word counted zero times");
    total += word.count;
    std::uint64_t followers = 0;
    for (const WordList::Follower& follower : list.Followers(i)) {
      Check(follower.word < list.words().size(), "a pair with an unlisted word");
      followers += follower.count;
    }
    Check(followers == list.FollowerTotal(i), "a follower total that is not the sum");
  }
  Check(total == list.total_count(), "a total that is not the sum");
  Check(list.by_count().size() == std::min(WordList::kMostFrequent, list.words().size()),
        "words missing from the count order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const WordListRead read = ReadWordList(bytes);
  CheckList(read);

  LearnedWordsRead learned = ReadLearnedWords(bytes);
  const std::string text = learned.learned.ToText();
  Check(ReadLearnedWords(text).learned.ToText() == text, "learned words read back otherwise");

  WordSuggestions suggestions(read.list, learned.learned);
  for (std::size_t i = 0; i < bytes.size() && i < 400; ++i) {
    const SentKey key{static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i])),
                      static_cast<std::uint8_t>(i % 8 == 0 ? bytes[i] & 7 : 0), bytes[i]};
    if (suggestions.TakesBackSpace(key)) suggestions.KeySent({0x08});
    suggestions.KeySent(key);
    const std::string prefix = Folded(suggestions.context().Prefix());
    for (int n = 1; n <= WordSuggestions::kMaxSuggestions; ++n) {
      const std::string& word = suggestions.Suggestion(n);
      if (word.empty()) break;
      Check(Folded(word).starts_with(prefix) && word.size() > prefix.size(),
            "a suggestion that does not complete the prefix");
    }
    if (i % 16 == 5) suggestions.Accept(1 + static_cast<int>(i % 3));
  }
  return 0;
}

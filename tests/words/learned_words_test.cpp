#include "src/words/learned_words.h"

#include <gtest/gtest.h>

namespace plinth::words {
namespace {

TEST(LearnedWordsTest, CountsWordsPairsAndTheirLastUse) {
  LearnedWords learned;
  learned.Learn("", "free", false);
  learned.Learn("free", "software", false);
  learned.Learn("", "free", false);
  learned.Learn("free", "Software", false);
  ASSERT_NE(learned.FindWord("software"), nullptr);
  EXPECT_EQ(learned.FindWord("software")->written, "Software");  // the latest spelling
  EXPECT_EQ(learned.FindWord("software")->use.count, 2u);
  EXPECT_EQ(learned.FindWord("software")->use.last, 4u);
  EXPECT_EQ(learned.FindWord("free")->use.last, 3u);
  EXPECT_EQ(learned.PairCount("free", "software"), 2u);
  EXPECT_EQ(learned.PairCount("software", "free"), 0u);
  EXPECT_EQ(learned.FollowerTotal("free"), 2u);
  EXPECT_EQ(learned.total_count(), 4u);
  EXPECT_EQ(learned.now(), 4u);
  EXPECT_TRUE(learned.changed());
  learned.Learn("", "no-word", false);  // not a word: nothing learned
  EXPECT_EQ(learned.now(), 4u);
}

TEST(LearnedWordsTest, ASentenceStartDoesNotDecideTheSpelling) {
  const struct {
    std::vector<std::pair<std::string_view, bool>> typed;  // word, at a sentence start
    std::string_view spelling;
  } cases[] = {
      {{{"The", true}}, "the"},
      {{{"NASA", true}}, "NASA"},
      {{{"Plinth", true}, {"Plinth", false}}, "Plinth"},
      {{{"Plinth", false}, {"Plinth", true}}, "Plinth"},
      {{{"plinth", false}, {"Plinth", true}}, "plinth"},
  };
  for (const auto& c : cases) {
    LearnedWords learned;
    for (const auto& [word, sentence_start] : c.typed) learned.Learn("", word, sentence_start);
    EXPECT_EQ(learned.words().begin()->second.written, c.spelling) << c.typed.front().first;
  }
}

TEST(LearnedWordsTest, ForgetsWhatWasUsedLongestAgoBeyondItsBound) {
  LearnedWords learned;
  std::string previous;
  for (std::size_t i = 0; i < LearnedWords::kMaxWords + 500; ++i) {
    std::string word = "w";
    for (std::size_t n = i; n > 0; n /= 26) word += static_cast<char>('a' + n % 26);
    learned.Learn("", "keep", false);  // used all the time: never forgotten
    learned.Learn(previous, word, false);
    previous = word;
  }
  EXPECT_LE(learned.words().size(), LearnedWords::kMaxWords);
  EXPECT_LE(learned.pairs().size(), LearnedWords::kMaxPairs);
  EXPECT_NE(learned.FindWord("keep"), nullptr);
  EXPECT_NE(learned.FindWord(previous), nullptr);  // the newest stays
  EXPECT_EQ(learned.FindWord("w"), nullptr);       // the oldest went
  std::uint64_t total = 0;
  for (const auto& [folded, word] : learned.words()) total += word.use.count;
  EXPECT_EQ(learned.total_count(), total);
}

TEST(LearnedWordsTest, ItsTextReadsBackAsItWas) {
  LearnedWords learned;
  learned.Learn("", "Caf\xE9", false);
  learned.Learn("caf\xE9", "au", false);
  learned.Learn("au", "lait", false);
  const std::string text = learned.ToText();
  EXPECT_NE(text.find("Caf\xC3\xA9\t1\t1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Caf\xC3\xA9 au\t1\t2\n"), std::string::npos) << text;

  const LearnedWordsRead read = ReadLearnedWords(text);
  EXPECT_EQ(read.skipped_lines, 0u);
  EXPECT_EQ(read.learned.ToText(), text);
  EXPECT_EQ(read.learned.now(), 3u);
  EXPECT_EQ(read.learned.PairCount("au", "lait"), 1u);
  EXPECT_EQ(read.learned.FollowerTotal("caf\xE9"), 1u);
  EXPECT_FALSE(read.learned.changed());
}

TEST(LearnedWordsTest, LinesOfNoKnownFormAreSkippedAndTheRestKept) {
  const LearnedWordsRead read = ReadLearnedWords(
      "# comment\nword\t2\t5\nno tabs\nword\t1\nbad\tx\t1\nzero\t0\t1\nc3po\t1\t1\n"
      "\xFF\t1\t1\nword\t3\t6\nword word\t1\t5\nthree word pair\t1\t1\n");
  EXPECT_EQ(read.skipped_lines, 8u);
  ASSERT_NE(read.learned.FindWord("word"), nullptr);
  EXPECT_EQ(read.learned.FindWord("word")->use.count, 2u);
  EXPECT_EQ(read.learned.PairCount("word", "word"), 1u);
  EXPECT_EQ(read.learned.now(), 5u);
}

}  // namespace
}  // namespace plinth::words

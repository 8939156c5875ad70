#include "src/words/word_suggestions.h"

#include <gtest/gtest.h>

#include <vector>

namespace plinth::words {
namespace {

constexpr std::uint16_t kEnter = 0x0D;
constexpr std::uint16_t kBackspace = 0x08;
constexpr std::uint8_t kCtrl = 4;

const WordList& TestList() {
  static const WordList list =
      ReadWordList(
          "the\t1000\nof\t600\nto\t500\nand\t450\na\t400\nthat\t300\n"
          "this\t250\nthey\t200\nthere\t150\nthen\t100\nthem\t90\n"
          "they're\t20\nsoftware\t60\nsome\t80\nso\t120\nsoft\t10\n"
          "program\t40\nprograms\t30\nprogress\t35\nEnglish\t30\n"
          "free\t50\nfreedom\t20\nwork\t70\nworld\t65\nword\t30\n"
          "of the\t300\nthe program\t30\nthe world\t20\nfree software\t40\n")
          .list;
  return list;
}

class WordSuggestionsTest : public testing::Test {
 protected:
  // Types `text` as the keyboard would: '\n' Enter, '\b' Backspace, and
  // any character by its key.
  void Type(std::string_view text) {
    for (const char c : text) {
      if (c == '\n') {
        Send({kEnter});
      } else if (c == '\b') {
        Send({kBackspace});
      } else {
        Send(KeyTyping(c));
      }
    }
  }
  void Send(const SentKey& key) {
    if (suggestions_.TakesBackSpace(key)) typed_.pop_back();
    suggestions_.KeySent(key);
    if (key.code == kBackspace) {
      if (!typed_.empty()) typed_.pop_back();
    } else if (key.code != kEnter) {
      typed_ += MeaningOfKey(key).character;
    }
  }
  void Accept(int n) { typed_ += suggestions_.Accept(n); }
  std::string Shown(std::size_t count = 5) {
    std::string shown;
    for (std::size_t n = 1; n <= count; ++n) {
      const std::string& word = suggestions_.Suggestion(static_cast<int>(n));
      if (word.empty()) break;
      shown += (shown.empty() ? "" : " ") + word;
    }
    return shown;
  }

  LearnedWords learned_;
  WordSuggestions suggestions_{TestList(), learned_};
  std::string typed_;  // what the application got
};

TEST_F(WordSuggestionsTest, CompletesThePrefixOrPredictsTheNextWord) {
  const struct {
    std::string_view typed;
    std::string_view shown;
  } cases[] = {
      {"th", "the that this they there"},
      {"the", "they there then them they're"},  // "the" itself completes nothing
      {"they'", "they're"},
      {"Th", "The That This They There"},
      {"TH", "THE THAT THIS THEY THERE"},
      {"tH", "tHe tHat tHis tHey tHere"},  // as typed, then as listed
      {"en", "english"},                   // the rest of the word, as typed
      {"xyz", ""},
      {"of ", "the to and a that"},         // "of the", never "of of"
      {"free so", "software some soft"},    // "free software" first; "so" completes nothing
      {"the ", "program world of to and"},  // pairs rank beside frequency
      {"Yes. ", "The Of To And A"},         // a sentence starts
      {"ab1 th", "the that this they there"},
  };
  for (const auto& c : cases) {
    LearnedWords learned;
    WordSuggestions suggestions(TestList(), learned);
    for (const char ch : c.typed) suggestions.KeySent(KeyTyping(ch));
    std::string shown;
    for (int n = 1; n <= 5 && !suggestions.Suggestion(n).empty(); ++n) {
      shown += (n == 1 ? "" : " ") + suggestions.Suggestion(n);
    }
    EXPECT_EQ(shown, c.shown) << c.typed;
  }
}

TEST_F(WordSuggestionsTest, AcceptingTypesTheRestAndASpaceTakenBackBeforePunctuation) {
  Type("I like fr");
  EXPECT_EQ(suggestions_.Suggestion(1), "free");
  Accept(1);
  EXPECT_EQ(typed_, "I like free ");
  EXPECT_EQ(Shown(1), "software");  // free software
  Accept(1);
  Type(". Th");
  EXPECT_EQ(typed_, "I like free software. Th");
  Accept(1);
  Type(",");
  EXPECT_EQ(typed_, "I like free software. The,");
  EXPECT_EQ(suggestions_.Accept(9), "");
  EXPECT_EQ(suggestions_.Accept(0), "");
  Type(" xyz");
  EXPECT_EQ(suggestions_.Accept(1), "");  // none there
  EXPECT_EQ(typed_, "I like free software. The, xyz");
}

TEST_F(WordSuggestionsTest, BackspaceAndJumpsChangeTheContext) {
  Type("free sx\b");
  EXPECT_EQ(Shown(1), "software");
  Type("\b\b\b\b\b\bwor");
  EXPECT_EQ(Shown(), "work world word");
  Type("\nof ");
  EXPECT_EQ(Shown(1), "the");
  suggestions_.KeySent({'A', kCtrl});  // Ctrl+A: the cursor may be anywhere
  EXPECT_EQ(Shown(1), "the");          // no word before: the most frequent
  EXPECT_EQ(suggestions_.context().PreviousWord(), "");
  Type("free ");
  suggestions_.CursorMoved();
  EXPECT_EQ(suggestions_.context().PreviousWord(), "");
  suggestions_.KeySent({0x10, 1});  // Shift alone changes nothing
  Type("so");
  EXPECT_EQ(Shown(1), "so" + std::string("me"));
}

TEST_F(WordSuggestionsTest, LearnsWhatTheUserTypesUnlessPaused) {
  Type("the zebra ");
  EXPECT_EQ(learned_.PairCount("the", "zebra"), 1u);
  Type("ze");
  EXPECT_EQ(Shown(), "zebra");
  Type("\b\bthe ");
  EXPECT_EQ(Shown(1), "zebra");  // the pair this user typed comes first
  Type("\nworld wor");
  EXPECT_EQ(Shown(1), "world");  // typed lately
  suggestions_.set_learning(false);
  Type("\nthe quagga ");
  EXPECT_EQ(learned_.FindWord("quagga"), nullptr);
  Type("qu");
  EXPECT_EQ(Shown(), "");
  suggestions_.set_learning(true);
  Type("\nPlinth is ");
  Type("\npl");
  EXPECT_EQ(Shown(), "plinth");  // learned at a sentence start: not capitalised
  Type("\b\bsee Plinth ");
  Type("\nsee ");
  EXPECT_EQ(Shown(1), "Plinth");  // learned mid-sentence: the user's spelling
}

// Words and pairs are forgotten apart: a pair may outlive its words.
TEST(WordSuggestionsAloneTest, APairWhoseWordWasForgottenStillSuggestsIt) {
  LearnedWords learned = ReadLearnedWords("free zebra\t3\t9\n").learned;
  WordSuggestions suggestions(TestList(), learned);
  for (const char c : std::string_view("free ")) suggestions.KeySent(KeyTyping(c));
  EXPECT_EQ(suggestions.Suggestion(1), "zebra");
}

}  // namespace
}  // namespace plinth::words

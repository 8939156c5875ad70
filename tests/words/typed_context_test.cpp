#include "src/words/typed_context.h"

#include <gtest/gtest.h>

#include <vector>

namespace plinth::words {
namespace {

// Types `keys`: characters as they are, '\n' Enter, '\b' Backspace, '\x1B'
// a jump of the cursor. Returns the finished words as "previous>word", a
// '!' after a word at a sentence start.
std::vector<std::string> TypeKeys(TypedContext& context, std::string_view keys) {
  std::vector<std::string> finished;
  for (const char key : keys) {
    std::optional<FinishedWord> word;
    if (key == '\n') {
      word = context.NewLine();
    } else if (key == '\b') {
      context.Erase();
    } else if (key == '\x1B') {
      context.Reset();
    } else {
      word = context.Type(key);
    }
    if (word)
      finished.push_back(word->previous + ">" + word->word + (word->sentence_start ? "!" : ""));
  }
  return finished;
}

TEST(TypedContextTest, KnowsTheWordBeingTypedAndTheOneBefore) {
  const struct {
    std::string_view keys;
    std::string_view prefix;
    std::string_view previous;
    bool sentence_start;
  } cases[] = {
      {"", "", "", false},
      {"th", "th", "", false},
      {"\nth", "th", "", true},
      {"of th", "th", "of", false},
      {"Of  th", "th", "of", false},
      {"of, th", "th", "", false},
      {"end. Th", "Th", "", true},
      {"end.\" Th", "Th", "", true},
      {"end? ", "", "", true},
      {"end.th", "th", "", false},
      {"don't", "don't", "", false},
      {"don\x92", "don\x92", "", false},
      {"say 'th", "th", "", false},
      {"dogs' th", "th", "dogs", false},
      {"abc1de", "de", "", false},
      {"one two\b\b\bthree", "three", "one", false},
      {"one two\b\b\b\b", "one", "", false},
      {"one \x1Btwo", "two", "", false},
      {"one\ntwo ", "", "two", false},
      {"\b\bth", "th", "", false},
  };
  for (const auto& c : cases) {
    TypedContext context;
    TypeKeys(context, c.keys);
    EXPECT_EQ(context.Prefix(), c.prefix) << c.keys;
    EXPECT_EQ(context.PreviousWord(), c.previous) << c.keys;
    EXPECT_EQ(context.SentenceStart(), c.sentence_start) << c.keys;
  }
}

TEST(TypedContextTest, ReportsEachWordWhenItIsFinished) {
  const struct {
    std::string_view keys;
    std::vector<std::string> finished;
  } cases[] = {
      {"the free software", {">the", "the>free"}},
      {"the free software.", {">the", "the>free", "free>software"}},
      {"Yes. It is\n", {">Yes", ">It!", "it>is"}},
      {"\nIt is", {">It!"}},
      {"dogs' bone ", {">dogs", "dogs>bone"}},
      {"don't go", {">don't"}},
      {"one\x1B two", {}},  // the jump: the word may go on where the cursor is
      {"a1 b", {}},         // letters joined to digits are no word
      {"GPLv3 and 3rd", {">and"}},
  };
  for (const auto& c : cases) {
    TypedContext context;
    EXPECT_EQ(TypeKeys(context, c.keys), c.finished) << c.keys;
  }
}

TEST(TypedContextTest, TakesBackTheSpaceOfAnAcceptedWordBeforePunctuationOnly) {
  for (const char next : std::string_view(".,;:!?")) {
    TypedContext context;
    TypeKeys(context, "the wor");
    const auto finished = context.TypeAccepted("d");
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->previous + ">" + finished->word, "the>word");
    EXPECT_TRUE(context.TakesBackSpace(next)) << next;
    context.Type(next);
    TypeKeys(context, " ne");
    EXPECT_EQ(context.Prefix(), "ne");
    EXPECT_EQ(context.SentenceStart(),
              std::string_view(".!?").find(next) != std::string_view::npos);
  }
  const struct {
    std::string_view after;  // keys after the accepted word
  } kept[] = {{"a"}, {"-"}, {" "}, {"\b"}};
  for (const auto& c : kept) {
    TypedContext context;
    context.TypeAccepted("word");
    TypeKeys(context, c.after);
    EXPECT_FALSE(context.TakesBackSpace('.')) << c.after;
  }
  TypedContext typed;  // a space typed by the user is the user's
  TypeKeys(typed, "word ");
  EXPECT_FALSE(typed.TakesBackSpace('.'));
}

TEST(TypedContextTest, KeepsABoundedTail) {
  TypedContext context;
  for (int i = 0; i < 1000; ++i) TypeKeys(context, "lorem ");
  TypeKeys(context, "ips");
  EXPECT_EQ(context.Prefix(), "ips");
  EXPECT_EQ(context.PreviousWord(), "lorem");
  TypedContext long_word;
  TypeKeys(long_word, std::string(500, 'a'));
  EXPECT_FALSE(long_word.Type(' '));  // its start is lost: no word
}

}  // namespace
}  // namespace plinth::words

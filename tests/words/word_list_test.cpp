#include "src/words/word_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace plinth::words {
namespace {

std::vector<std::string> Written(const WordList& list) {
  std::vector<std::string> words;
  for (WordIndex i = 0; i < list.words().size(); ++i) {
    words.push_back(std::string(list.Written(i)) + "=" + std::to_string(list.word(i).count));
  }
  return words;
}

TEST(WordListTest, ReadsWordsAndTheirCounts) {
  const struct {
    std::string_view text;
    std::vector<std::string> words;
  } cases[] = {
      {"the\t10\nof\t5\n", {"of=5", "the=10"}},
      {"the\t10\r\nof\t5", {"of=5", "the=10"}},  // CRLF, no last line end
      {"\xEF\xBB\xBFthe\t10\n", {"the=10"}},     // byte order mark
      {"# comment\n\nthe\t10\n", {"the=10"}},    // comments, blank lines
      {"caf\xC3\xA9\t3\n", {"caf\xE9=3"}},       // UTF-8 to Windows-1252
      {"\xCE\xB1\xCE\xB2\t3\nc3po\t2\nwell-known\t1\nthe\t1\n", {"the=1"}},  // no keyboard words
      {"The\t2\nthe\t5\n", {"the=7"}},  // one entry per folded word
      {"US\t9\nus\t5\n", {"US=14"}},    // spelt as most counted
      {"zero\t0\n", {}},                // nothing counted
      {"", {}},
  };
  for (const auto& c : cases) {
    const WordListRead read = ReadWordList(c.text);
    EXPECT_EQ(read.error, "") << c.text;
    EXPECT_EQ(Written(read.list), c.words) << c.text;
  }
}

TEST(WordListTest, ACorruptLineMakesTheWholeListUnreadable) {
  const struct {
    std::string_view text;
    std::string_view error;
  } cases[] = {
      {"the\t10\nof 5\n", "line 2: no tab between the word and its count"},
      {"the\tten\n", "line 1: the count \"ten\" is no whole number from 0 to 4294967295"},
      {"the\t-1\n", "line 1: the count \"-1\" is no whole number from 0 to 4294967295"},
      {"the\t4294967296\n",
       "line 1: the count \"4294967296\" is no whole number from 0 to 4294967295"},
      {"the\t\n", "line 1: the count \"\" is no whole number from 0 to 4294967295"},
      {"the\t1\n\xFF\xFE\t3\n", "line 2: the text is not UTF-8"},
      {std::string_view("a\0b\t1", 5), ""},  // a NUL is no letter: skipped, not fatal
  };
  for (const auto& c : cases) {
    const WordListRead read = ReadWordList(c.text);
    EXPECT_EQ(read.error, c.error) << c.text;
    if (!c.error.empty()) {
      EXPECT_TRUE(read.list.words().empty());
    }
  }
}

TEST(WordListTest, RefusesMoreEntriesThanItsBound) {
  std::string text;
  for (std::size_t i = 0; i <= WordList::kMaxEntries; ++i) text += "a\t1\n";
  const WordListRead read = ReadWordList(text);
  EXPECT_EQ(read.error, "line 2000001: more than 2000000 entries in one list");
  EXPECT_TRUE(read.list.words().empty());
}

TEST(WordListTest, FindsWordsByPrefixAndByCount) {
  const WordListRead read = ReadWordList("then\t4\nthe\t10\nthere\t6\nto\t8\nthat\t7\napple\t1\n");
  const WordList& list = read.list;
  const auto written = [&](std::pair<WordIndex, WordIndex> range) {
    std::string words;
    for (WordIndex i = range.first; i < range.second; ++i)
      words += std::string(list.Written(i)) + " ";
    return words;
  };
  EXPECT_EQ(written(list.PrefixRange("the")), "the then there ");
  EXPECT_EQ(written(list.PrefixRange("th")), "that the then there ");
  EXPECT_EQ(written(list.PrefixRange("x")), "");
  EXPECT_EQ(written(list.PrefixRange("")), "apple that the then there to ");
  std::string by_count;
  for (const WordIndex i : list.by_count()) by_count += std::string(list.Written(i)) + " ";
  EXPECT_EQ(by_count, "the to that there then apple ");
  EXPECT_EQ(list.total_count(), 36u);
  EXPECT_EQ(list.Find("there"), list.PrefixRange("there").first);
  EXPECT_EQ(list.Find("ther"), std::nullopt);
}

TEST(WordListTest, ReadsPairsOfListedWords) {
  const WordListRead read = ReadWordList(
      "of\t9\nthe\t10\nprogram\t3\nwork\t2\ncaf\xC3\xA9\t2\n"
      "of the\t6\nthe program\t2\nthe work\t3\nThe Work\t1\nthe unknown\t5\nof the the\t1\n"
      "caf\xC3\xA9 the\t4\ncaf\xC3\xA9 work\t1\nwork caf\xC3\xA9\t1\n");
  ASSERT_EQ(read.error, "");
  const WordList& list = read.list;
  const auto followers = [&](std::string_view first) {
    std::string text;
    for (const auto& follower : list.Followers(*list.Find(first))) {
      text += std::string(list.Written(follower.word)) + "=" + std::to_string(follower.count) + " ";
    }
    return text;
  };
  EXPECT_EQ(followers("the"), "work=4 program=2 ");
  EXPECT_EQ(list.FollowerTotal(*list.Find("the")), 6u);
  EXPECT_EQ(followers("of"), "the=6 ");
  EXPECT_EQ(followers("caf\xE9"), "the=4 work=1 ");
  EXPECT_EQ(followers("work"), "caf\xE9=1 ");
  EXPECT_EQ(list.pair_count(), 6u);
}

}  // namespace
}  // namespace plinth::words

// The reading rules of ProfileFile, one table per rule: each row is a file's
// text, the section and key asked for, and the value expected.

#include "platform/common/profile_file.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace plinth::platform {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kMissing = "(missing)";

struct Row {
  std::string_view file;
  std::string_view section;
  std::string_view key;
  std::string_view expected;
};

void ExpectRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    ProfileFile profile{std::string(row.file)};
    EXPECT_EQ(profile.FindValue(row.section, row.key).value_or(std::string(kMissing)), row.expected)
        << "file " << testing::PrintToString(std::string(row.file)) << ", [" << row.section << "] "
        << row.key;
  }
}

std::string Repeated(char ch, std::size_t count) { return std::string(count, ch); }

TEST(ProfileFileTest, DropsBlanksAndTabsAroundNamesAndValues) {
  ExpectRows({
      {"[S]\nk=v", "S", "k", "v"},
      {"  [ S ]  \n\t k \t=\t v w \t\n", "S", "k", "v w"},
      {"[\tS\t]\nk=v", "S", "k", "v"},
      {"[S]\nk=v", " S\t", "\tk ", "v"},
      {"[S]\nk=   \n", "S", "k", ""},
      {"[S]\nk=", "S", "k", ""},
      {"[S]\n = v\n", "S", "", kMissing},
      {"[S]\nk l=v", "S", "k l", "v"},
  });
}

TEST(ProfileFileTest, ComparesNamesWithoutAsciiCase) {
  ExpectRows({
      {"[Button1]\nCaption=a", "BUTTON1", "CAPTION", "a"},
      {"[BUTTON1]\nCAPTION=a", "button1", "caption", "a"},
      {"[\xC4]\nk=v", "\xC4", "K", "v"},
      {"[\xC4]\nk=v", "\xE4", "k", kMissing},  // Ä and ä are not ASCII letters
      {"[S]\nk=Value", "s", "K", "Value"},     // values keep their case
  });
}

TEST(ProfileFileTest, StripsOneMatchingPairOfQuotes) {
  ExpectRows({
      {"[S]\nk=\"v\"", "S", "k", "v"},
      {"[S]\nk='v'", "S", "k", "v"},
      {"[S]\nk=\" v \"", "S", "k", " v "},
      {"[S]\nk= \"v\" ", "S", "k", "v"},
      {"[S]\nk=\"\"", "S", "k", ""},
      {"[S]\nk=\"", "S", "k", "\""},
      {"[S]\nk=\"v'", "S", "k", "\"v'"},
      {"[S]\nk=\"v", "S", "k", "\"v"},
      {"[S]\nk=v\"", "S", "k", "v\""},
      {"[S]\nk='''", "S", "k", "'"},
      {"[S]\nk=\"a\"b\"", "S", "k", "a\"b"},
      {"[S]\nk=\"v\" ; note", "S", "k", "\"v\" ; note"},
  });
}

TEST(ProfileFileTest, SemicolonLinesAreComments) {
  ExpectRows({
      {"[S]\n;k=v\nk=w", "S", "k", "w"},
      {"[S]\n  ;k=v", "S", "k", kMissing},
      {"[S]\n\t;k=v", "S", ";k", kMissing},
      {";[S]\nk=v", "S", "k", kMissing},
      {"[S]\n#k=v", "S", "#k", "v"},
      {"[S]\n#k=v", "S", "k", kMissing},
      {"[S]\nk=v ; note", "S", "k", "v ; note"},
      {"[S]\nk=v # note", "S", "k", "v # note"},
  });
}

TEST(ProfileFileTest, SplitsAtTheFirstEqualsSign) {
  ExpectRows({
      {"[S]\na=b=c", "S", "a", "b=c"},
      {"[S]\na==", "S", "a", "="},
      {"[S]\nkv\nk=v", "S", "kv", kMissing},
      {"[S]\nkv\nk=v", "S", "k", "v"},
  });
}

TEST(ProfileFileTest, ReadsSectionHeadersUpToTheLastBracket) {
  ExpectRows({
      {"[S] tail\nk=v", "S", "k", "v"},
      {"[a]b]\nk=v", "a]b", "k", "v"},
      {"[a]b]\nk=v", "a", "k", kMissing},
      {"[]\nk=v", "", "k", "v"},
      {"[S]\n[T\nk=v", "S", "k", "v"},  // no ']': an ordinary line
      {"[S]\n[T=1", "S", "[T", "1"},
      {"[S]\n[T=1", "T", "[T", kMissing},
  });
}

TEST(ProfileFileTest, FirstBlockAndFirstKeyWin) {
  ExpectRows({
      {"[S]\nk=1\nk=2", "S", "k", "1"},
      {"[S]\nk=1\nK=2", "S", "K", "1"},
      {"[S]\nk=1\n[T]\nx=1\n[S]\nk=2\nj=3", "S", "k", "1"},
      {"[S]\nk=1\n[T]\nx=1\n[S]\nk=2\nj=3", "S", "j", kMissing},
      {"[S]\nk=1\n[T]\nx=1\n[S]\nk=2\nj=3", "T", "x", "1"},
      {"[S]\n[s]\nk=2", "S", "k", kMissing},
      {"[S]\nb=2\na=1\nb=3\nc=4\na=5", "S", "b", "2"},
      {"[S]\nb=2\na=1\nb=3\nc=4\na=5", "S", "a", "1"},
  });
}

TEST(ProfileFileTest, KeysBeforeAnySectionBelongToNone) {
  ExpectRows({
      {"k=v\n[S]", "", "k", kMissing},
      {"k=v\n[S]", "S", "k", kMissing},
      {"k=v\n[S]\nj=w", "S", "j", "w"},
  });
}

TEST(ProfileFileTest, CutsLongValues) {
  const std::string cut = Repeated('x', Profile::kMaxValueLength);
  const std::string exact = "[S]\nk=" + cut;
  const std::string longer = "[S]\nk=" + Repeated('x', 3000);
  const std::string quoted = "[S]\nk=\"" + cut + "\"";
  const std::string quoted_longer = "[S]\nk='" + Repeated('x', 2100) + "'";
  const std::string next_line = longer + "\nj=w";
  ExpectRows({
      {exact, "S", "k", cut},
      {longer, "S", "k", cut},
      {quoted, "S", "k", cut},
      {quoted_longer, "S", "k", cut},
      {next_line, "S", "j", "w"},
  });
}

TEST(ProfileFileTest, AcceptsEveryLineEnding) {
  ExpectRows({
      {"[S]\r\nk=v\r\nj=w", "S", "k", "v"},
      {"[S]\r\nk=v\r\nj=w", "S", "j", "w"},
      {"[S]\rk=v\rj=w", "S", "k", "v"},
      {"[S]\rk=v\rj=w", "S", "j", "w"},
      {"[S]\r\nk=v\nj=w\r", "S", "j", "w"},
      {"[S]\n\n\r\n\r\rk=v\n", "S", "k", "v"},
      {"[S]\nk=v\r\r\n", "S", "k", "v"},
      {"[S]\nk=a\rb", "S", "k", "a"},
      {"[S]\nk=a\rb=c", "S", "b", "c"},
  });
}

TEST(ProfileFileTest, DecodesUtf8AndKeepsWindows1252) {
  ExpectRows({
      {"[S]\nk=\xE9", "S", "k", "\xE9"},                  // Windows-1252 é
      {"[S]\nk=\xC3\xA9", "S", "k", "\xE9"},              // UTF-8 é
      {"[S]\nk=\xE2\x82\xAC", "S", "k", "\x80"},          // UTF-8 €
      {"[S]\nk=\xD0\x96", "S", "k", "?"},                 // Cyrillic Ж: not in the code page
      {"[\xC3\x84]\nk=v", "\xC4", "k", "v"},              // UTF-8 section name Ä
      {"[S]\nk=\xC3\xA9\xE9", "S", "k", "\xC3\xA9\xE9"},  // not UTF-8: bytes as they are
      {"[S]\nk=\xE9\n[T]\nk=\xC3\xA9", "T", "k", "\xC3\xA9"},
  });
}

TEST(ProfileFileTest, DecodesFilesWithByteOrderMarkFromUtf8) {
  ExpectRows({
      {"\xEF\xBB\xBF[S]\nk=v", "S", "k", "v"},
      {"\xEF\xBB\xBF[S]\nk=\xC3\xA9", "S", "k", "\xE9"},
      {"\xEF\xBB\xBF[S]\nk=\xE9x", "S", "k", "?x"},  // a broken sequence
      {"\xEF\xBB\xBF", "S", "k", kMissing},
      {"\xEF\xBB\n[S]\nk=\xE9", "S", "k", "\xE9"},  // half a mark: not UTF-8, so Windows-1252
      {"\xEF\xBB\xBF[S]\n\xEF\xBB\xBFk=v", "S", "k", kMissing},  // a second mark is text
  });
}

TEST(ProfileFileTest, EndsValuesAtNulBytes) {
  ExpectRows({
      {"[S]\nk=a\0b"sv, "S", "k", "a"},
      {"[S]\nk=\0b"sv, "S", "k", ""},
      {"[S]\0x\nk=v"sv, "S", "k", "v"},
      {"[S]\n\0\nk=v"sv, "S", "k", "v"},
      {"[S]\nk\0=v"sv, "S", "k", kMissing},
      {"\0[S]\nk=v"sv, "S", "k", kMissing},
      {"[S]\nk='a\0b'"sv, "S", "k", "a"},
  });
}

TEST(ProfileFileTest, DecodesUtf16FilesWithByteOrderMark) {
  ExpectRows({
      {"\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0"sv, "S", "k", "\xE9"},    // little-endian é
      {"\xFE\xFF\0[\0S\0]\0\n\0k\0=\x20\xAC"sv, "S", "k", "\x80"},  // big-endian €
      {"\xFF\xFE[\0S\0]\0\n\0k\0=\0\x51\x01"sv, "S", "k", "?"},     // ő: not in the code page
      {"\xFF\xFE[\0S\0]\0\n\0k\0=\0\x3D\xD8\x00\xDE"sv, "S", "k", "??"},  // an emoji
      {"\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xD8x\0"sv, "S", "k", "?x"},       // a lone surrogate
      {"\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0!"sv, "S", "k", "v"},               // an odd last byte
      {"\xFF\xFE"sv, "S", "k", kMissing},
  });
}

// A key that is there, however empty or blank its value, is told apart
// from a missing one, so that a caller keeps an inherited value exactly.
TEST(ProfileFileTest, TellsMissingKeysFromEmptyOnes) {
  ExpectRows({
      {"[S]\nk=", "S", "k", ""},
      {"[S]\nk=\"\"", "S", "k", ""},
      {"[S]\nk=\" \"", "S", "k", " "},
      {"[S]\nk='\"q\"'", "S", "k", "\"q\""},
      {"[S]\nk=\"a \"", "S", "k", "a "},
      {"[S]\nk=v", "S", "j", kMissing},
      {"[S]\nk=v", "T", "k", kMissing},
  });
}

}  // namespace
}  // namespace plinth::platform

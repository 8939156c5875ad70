// The tool's line scan must see every file exactly as the keyboard's
// profile reader does, or its line numbers point at the wrong lines.

#include "tools/layout_tool/profile_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/common/profile_file.h"
#include "platform/common/profile_text.h"

namespace plinth::layout_tool {
namespace {

constexpr std::string_view kMissing = "(missing)";

struct Probe {
  std::string section;
  std::string key;
};

// For every probe, the scan's value (cut like the reader's) must equal what
// ProfileFile returns, and a key the scan misses must be missing there too.
void ExpectSameAsReader(const std::string& bytes, const std::vector<Probe>& probes) {
  const ProfileLines lines(platform::DecodeProfileBytes(bytes));
  platform::ProfileFile reader(bytes);
  for (const Probe& probe : probes) {
    SCOPED_TRACE("[" + probe.section + "] " + probe.key);
    const ProfileLine* line = lines.FindKey(probe.section, probe.key);
    const std::string expected =
        reader.FindValue(probe.section, probe.key).value_or(std::string(kMissing));
    if (line == nullptr) {
      EXPECT_EQ(expected, kMissing);
    } else {
      EXPECT_EQ(std::string(line->value.substr(0, platform::Profile::kMaxValueLength)), expected);
    }
  }
}

TEST(ProfileLinesTest, AgreesWithTheReaderOnItsRules) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"blanks and tabs", " [ S ] \n \t k \t = \t v  w \t\n", {{"S", "k"}, {" S ", " k "}}},
      {"quotes",
       "[S]\na=\"x\"\nb='y'\nc=\"z'\nd=\"\ne=\" \"\n",
       {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}, {"S", "e"}}},
      {"comments",
       "[S]\n;a=1\n  ;b=2\n#c=3\nd=4 ; not a comment\n",
       {{"S", "a"}, {"S", "b"}, {"S", "#c"}, {"S", "d"}}},
      {"first equals splits",
       "[S]\na=b=c\n=x\nnoequals\n",
       {{"S", "a"}, {"S", ""}, {"S", "noequals"}}},
      {"letter case of names",
       "[Button7]\nCAPTION=x\n",
       {{"button7", "caption"}, {"BUTTON7", "Caption"}}},
      {"first block and first key win",
       "[S]\nk=1\nk=2\n[T]\nk=t\n[s]\nk=3\nj=4\n",
       {{"S", "k"}, {"S", "j"}, {"T", "k"}}},
      {"keys before any section", "k=0\n[S]\nj=1\n", {{"", "k"}, {"S", "k"}, {"S", "j"}}},
      {"line endings",
       "[S]\r\na=1\r\nb=2\rc=3\nd=4",
       {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}}},
      {"header text and broken headers",
       "[S] tail\na=1\n[T\nb=2\n[U]x]\nc=3\n",
       {{"S", "a"}, {"S", "[T"}, {"S", "b"}, {"U", "c"}}},
      {"NUL ends a value", std::string("[S]\na=x\0y\nb=\0\n", 14), {{"S", "a"}, {"S", "b"}}},
      {"long value", "[S]\na=" + std::string(5000, 'v') + "\n", {{"S", "a"}}},
      {"UTF-8 with byte-order mark", "\xEF\xBB\xBF[S]\nk=\xC3\xA9\n", {{"S", "k"}}},
      {"UTF-8 without mark", "[S]\nk=\xC3\xA9\n", {{"S", "k"}}},
      {"Windows-1252", "[S]\nk=\xE9\n", {{"S", "k"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectSameAsReader(c.text, c.probes);
  }
}

TEST(ProfileLinesTest, NumbersLinesAsEditorsDo) {
  const ProfileLines lines("[S]\r\na=1\r\n\rb=2\nc\n=v");
  const auto& all = lines.lines();
  ASSERT_EQ(all.size(), 6U);
  EXPECT_EQ(lines.FindKey("S", "a")->number, 2);
  EXPECT_EQ(all[2].kind, LineKind::Blank);  // the lone CR ends an empty line
  EXPECT_EQ(lines.FindKey("S", "b")->number, 4);
  EXPECT_EQ(all[4].kind, LineKind::NoEquals);
  EXPECT_EQ(all[5].kind, LineKind::EmptyKey);
  EXPECT_EQ(all[5].number, 6);
}

TEST(ProfileLinesTest, KnowsRepeatedSectionsAndKeys) {
  const ProfileLines lines("[S]\nk=1\nk=2\n[S]\nk=3\n");
  const auto& blocks = lines.blocks();
  ASSERT_EQ(blocks.size(), 2U);
  EXPECT_EQ(blocks[1].first_block, 0);
  EXPECT_EQ(lines.FindSection("s")->header_line, 1);
  const ProfileLine& repeated = lines.lines()[2];
  EXPECT_EQ(lines.FirstOfKey(repeated)->number, 2);
}

}  // namespace
}  // namespace plinth::layout_tool

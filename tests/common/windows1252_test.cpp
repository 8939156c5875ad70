#include "platform/common/windows1252.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plinth::platform {
namespace {

using namespace std::string_view_literals;

static_assert(Cp1252Upper('a') == 'A' && Cp1252Upper('Z') == 'Z');

TEST(Cp1252UpperTest, UpperCasesByTheCodePageRule) {
  struct Row {
    unsigned char lower;
    unsigned char upper;
  };
  const std::vector<Row> rows = {
      {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {'0', '0'},   {'`', '`'},   {'{', '{'},
      {0xE0, 0xC0}, {0xE9, 0xC9}, {0xF6, 0xD6}, {0xF8, 0xD8}, {0xFE, 0xDE}, {0x9A, 0x8A},
      {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}, {0xF7, 0xF7}, {0xB5, 0xB5}, {0xDF, 0xDF},
      {0xAA, 0xAA}, {0xBA, 0xBA}, {0x80, 0x80}, {0x00, 0x00}, {0xC0, 0xC0}, {0x8A, 0x8A},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Cp1252Upper(row.lower), row.upper) << "byte " << int{row.lower};
  }
}

TEST(Cp1252UpperTest, EveryByteMapsAsTheTableSays) {
  // Upper-casing twice changes nothing, and only the listed bytes change.
  int changed = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const auto ch = static_cast<unsigned char>(byte);
    EXPECT_EQ(Cp1252Upper(Cp1252Upper(ch)), Cp1252Upper(ch)) << byte;
    if (Cp1252Upper(ch) != ch) ++changed;
  }
  EXPECT_EQ(changed, 26 + 30 + 4);  // a-z, à-þ without ÷, š œ ž ÿ
}

TEST(Cp1252UpperTest, TextCaseUpperCasesInPlace) {
  Cp1252TextCase text_case;
  std::string text = "abc \xE9\xFF\xDF\xB5 xyz";
  text_case.CharUpperBuff(text);
  EXPECT_EQ(text, "ABC \xC9\x9F\xDF\xB5 XYZ");
  EXPECT_EQ(Cp1252Upper("\x9A\x9C\x9Eq"), "\x8A\x8C\x8EQ");
  std::string empty;
  text_case.CharUpperBuff(empty);
  EXPECT_EQ(empty, "");
}

TEST(Utf8ToCp1252Test, ConvertsValidText) {
  struct Row {
    std::string_view utf8;
    std::string_view cp1252;
  };
  const std::vector<Row> rows = {
      {"", ""},
      {"plain ASCII", "plain ASCII"},
      {"\0nul"sv, "\0nul"sv},
      {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
      {"\xE2\x82\xAC", "\x80"},          // €
      {"\xC5\xA0\xC5\xB8", "\x8A\x9F"},  // Š Ÿ
      {"\xE2\x84\xA2", "\x99"},          // ™
      {"\xD0\x96", "?"},                 // Ж
      {"\xC2\x81", "?"},                 // U+0081, a C1 control
      {"\xF0\x9F\x98\x80", "?"},         // an emoji, four bytes
      {"\xEF\xBF\xBD", "?"},             // U+FFFD
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Utf8ToCp1252(row.utf8), std::string(row.cp1252))
        << testing::PrintToString(std::string(row.utf8));
    EXPECT_EQ(Utf8ToCp1252Lossy(row.utf8), row.cp1252);
  }
}

TEST(Utf8ToCp1252Test, RejectsInvalidText) {
  struct Row {
    std::string_view utf8;
    std::string_view lossy;
  };
  const std::vector<Row> rows = {
      {"\xE9", "?"},                      // a Windows-1252 byte
      {"a\xC3", "a?"},                    // cut short
      {"\xC3(", "?("},                    // no continuation
      {"\x80", "?"},                      // lone continuation
      {"\xC0\xAF", "??"},                 // overlong '/'
      {"\xE0\x80\xAF", "???"},            // overlong, three bytes
      {"\xED\xA0\x80", "???"},            // surrogate U+D800
      {"\xF4\x90\x80\x80", "????"},       // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", "?????"},  // five-byte form
      {"\xFF\xFE", "??"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Utf8ToCp1252(row.utf8), std::nullopt)
        << testing::PrintToString(std::string(row.utf8));
    EXPECT_EQ(Utf8ToCp1252Lossy(row.utf8), row.lossy);
  }
}

TEST(Cp1252ToUtf8Test, ConvertsEveryByte) {
  EXPECT_EQ(Cp1252ToUtf8("abc"), "abc");
  EXPECT_EQ(Cp1252ToUtf8("\xE9\xFF"), "\xC3\xA9\xC3\xBF");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");
  const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD
  EXPECT_EQ(Cp1252ToUtf8("a\x81\x8D\x8F\x90\x9D"),
            "a" + replacement + replacement + replacement + replacement + replacement);
  // Every defined byte comes back unchanged from UTF-8.
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) continue;
    const std::string text(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(text)), text) << byte;
  }
}

}  // namespace
}  // namespace plinth::platform

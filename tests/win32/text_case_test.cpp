#include <gtest/gtest.h>

#include "platform/win32/win32_text_case.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

std::string Upper(std::string text) {
  Win32TextCase text_case;
  text_case.CharUpperBuff(text);
  return text;
}

TEST(Win32TextCase, AsciiLetters) {
  EXPECT_EQ(Upper("abc xyz 19 ;"), "ABC XYZ 19 ;");
  EXPECT_EQ(Upper(""), "");
}

TEST(Win32TextCase, LettersOfTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "these cases are for Windows-1252";
  EXPECT_EQ(Upper("\xE9\xE0\xF6"), "\xC9\xC0\xD6");  // e acute, a grave, o umlaut
  EXPECT_EQ(Upper("\xFF"), "\x9F");                  // y umlaut
  EXPECT_EQ(Upper("\x9A\x9C"), "\x8A\x8C");          // s caron, oe
  EXPECT_EQ(Upper("\xDF"), "\xDF");                  // sharp s has no capital here
}

TEST(Win32TextCase, EmbeddedNulDoesNotEndTheText) {
  EXPECT_EQ(Upper(std::string("a\0b", 3)), std::string("A\0B", 3));
}

}  // namespace
}  // namespace plinth::platform::win32

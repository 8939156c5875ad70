#include "src/layout/profile_values.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace plinth {
namespace {

struct IntegerCase {
  std::string text;
  std::optional<std::int32_t> expected;
};

TEST(ParseProfileInteger, ReadsDecimalAndHexadecimalNumbers) {
  const IntegerCase cases[] = {
      {"0", 0},
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"   7", 7},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$10", 16},
      {"x10", 16},
      {"X1f", 31},
      {"0x10", 16},
      {"0XaBc", 0xABC},
      {"$FF", 255},
      {"-$10", -16},
      {"+0x10", 16},
      {"$7FFFFFFF", INT32_MAX},
      {"$80000000", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"0xFFFFFFFF", -1},
      {"-$FFFFFFFF", 1},
      {"$00000000FFFFFFFF", -1},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(ParseProfileInteger(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseProfileInteger, RejectsEmptyMalformedAndOutOfRangeTexts) {
  const std::string invalid[] = {
      "",
      " ",
      "-",
      "+",
      "$",
      "0x",
      "x",
      "12abc",
      "12 ",
      "1 2",
      "--5",
      "+-5",
      "- 5",
      "1e3",
      "1.5",
      "true",
      "yes",
      "$G",
      "0x1G",
      "$100000000",
      "2147483648",
      "-2147483649",
      "99999999999",
      "$-5",
      "0x 1",
      "$ 10",
      std::string("5\0", 2),
  };
  for (const std::string& text : invalid) {
    EXPECT_EQ(ParseProfileInteger(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(AsciiUpper, ChangesOnlyAToZ) {
  EXPECT_EQ(AsciiUpper("ctrlAlt-9_z"), "CTRLALT-9_Z");
  EXPECT_EQ(AsciiUpper("caf\xE9"), "CAF\xE9");  // é stays: keywords are ASCII
  EXPECT_EQ(AsciiUpper(""), "");
}

TEST(IsAsciiUpperOf, AgreesWithComparingTheUpperCasedCopy) {
  const char* const texts[] = {"capslock", "CapsLock",  "CAPSLOCK",  "caps",  "capslock ",
                               "",         "\xe9t\xe9", "\xc9T\xc9", "a-b_c", "A-B_C"};
  const char* const uppers[] = {"CAPSLOCK", "", "\xc9T\xc9", "A-B_C"};
  for (const char* text : texts) {
    for (const char* upper : uppers) {
      EXPECT_EQ(IsAsciiUpperOf(text, upper), AsciiUpper(text) == upper) << text << " " << upper;
    }
  }
}

}  // namespace
}  // namespace plinth

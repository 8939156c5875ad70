#include "platform/win32/os_error.h"

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

TEST(OsError, DescriptionWithoutLineBreakOrFullStop) {
  const std::string text = DescribeError(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '.');
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
}

TEST(OsError, UnknownCodeHasNoDescription) { EXPECT_EQ(DescribeError(0x2FFFFFFFu), ""); }

TEST(OsError, LastErrorOfTheThread) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  const OsError error = LastOsError();
  EXPECT_EQ(error.code, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(error.description, DescribeError(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace plinth::platform::win32

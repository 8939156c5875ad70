// Keys left held down are released when the keyboard starts, and only the
// keys that went up are reported.

#include "src/keyboard/held_keys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/testing/test_keyboard.h"
#include "src/keyboard/program.h"

namespace plinth {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ReleaseKeysLeftHeld, ReleasesEveryHeldKeyAtStartAndReportsOnlyTheKeysThatWentUp) {
  struct Row {
    const char* story;
    std::vector<std::pair<platform::HeldKey, bool>> held;  // and whether another device holds it
    std::vector<std::string> reported;
  };
  const platform::HeldKey shift{50, "Shift"};
  const platform::HeldKey ctrl{37, "Ctrl"};
  const platform::HeldKey enter{36, "Return"};
  for (const Row& row : {
           Row{"nothing held", {}, {}},
           Row{"a stroke cut short",
               {{shift, false}, {ctrl, false}},
               {"Shift was held down (key 50); released it",
                "Ctrl was held down (key 37); released it"}},
           Row{"a key the user holds on a keyboard of their own",
               {{shift, false}, {enter, true}},
               {"Shift was held down (key 50); released it"}},
       }) {
    SCOPED_TRACE(row.story);
    test_platform::TestKeyboard keyboard;
    keyboard.PutLayout("Default", "");
    keyboard.PutLayout("Extend", "");
    std::vector<platform::HeldKey> held;
    for (const auto& [key, elsewhere] : row.held) {
      keyboard.keys.HoldDown(key, elsewhere);
      held.push_back(key);
    }
    EXPECT_EQ(RunKeyboard(keyboard.services, keyboard.window), 0);
    EXPECT_EQ(keyboard.keys.releases(), held);
    EXPECT_EQ(keyboard.app.standard_error(), row.reported);
    EXPECT_THAT(keyboard.TakeKeys(), IsEmpty()) << "a release is no key of the keyboard's";
  }
}

}  // namespace
}  // namespace plinth

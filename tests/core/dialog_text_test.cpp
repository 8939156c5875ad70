// A dialog shows at most the start of a long message; standard error gets
// the whole of it.

#include "src/keyboard/dialog_text.h"

#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using ::testing::ElementsAre;

TEST(ShortenedForDialog, KeepsTextUpToTheLimitAndEndsLongerTextInAnEllipsis) {
  struct Case {
    std::size_t length;
    std::size_t shown;
    bool ellipsis;
  };
  for (const Case c :
       {Case{0, 0, false}, Case{kMaxDialogText, kMaxDialogText, false},
        Case{kMaxDialogText + 1, kMaxDialogText, true}, Case{5000, kMaxDialogText, true}}) {
    const std::string text(c.length, 'k');
    const std::string shown = ShortenedForDialog(text);
    EXPECT_EQ(shown.size(), c.shown) << c.length;
    EXPECT_EQ(!shown.empty() && shown.back() == kEllipsis, c.ellipsis) << c.length;
    EXPECT_EQ(shown.substr(0, c.shown - (c.ellipsis ? 1 : 0)),
              text.substr(0, shown.size() - (c.ellipsis ? 1 : 0)));
  }
}

class DialogTextTest : public KeyboardTest {};

TEST_F(DialogTextTest, AHugeKeyNameIsShortenedInTheDialogAndWholeOnStandardError) {
  const std::string name(2000, 'Q');
  Start("[Button1]\nType=VIRTUALKEY\nKeyString=" + name + "\n");
  Click(1);
  const std::string message = "Error - Invalid Vkey " + name;
  ASSERT_EQ(Warnings().size(), 1U);
  EXPECT_EQ(Warnings()[0], ShortenedForDialog(message));
  EXPECT_EQ(Warnings()[0].size(), kMaxDialogText);
  EXPECT_THAT(app.standard_error(), ElementsAre(message));
}

TEST_F(DialogTextTest, ShortMessagesAreShownAsTheyAreAndAlsoWrittenToStandardError) {
  Start("[Button1]\nType=VIRTUALKEY\nKeyString=NOSUCHKEY\n");
  Click(1);
  EXPECT_THAT(Warnings(), ElementsAre("Error - Invalid Vkey NOSUCHKEY"));
  EXPECT_THAT(app.standard_error(), ElementsAre("Error - Invalid Vkey NOSUCHKEY"));
}

}  // namespace
}  // namespace plinth

// The Scale setting of a layout, as the keyboard and plinth-layout read it.

#include "src/layout/scale_setting.h"

#include <gtest/gtest.h>

namespace plinth {
namespace {

TEST(ScaleSettingTest, ReadsAPercentageAndBringsItIntoRange) {
  struct Row {
    const char* text;
    std::optional<int> percent;
    bool valid;
  };
  for (const Row& row : {Row{"", std::nullopt, true}, Row{"200", 200, true},
                         Row{" 150 ", 150, true}, Row{"125%", 125, true}, Row{"10", 50, true},
                         Row{"0", 50, true}, Row{"99999999999999999999", 1000, true},
                         Row{"abc", std::nullopt, false}, Row{"-200", std::nullopt, false},
                         Row{"1.5", std::nullopt, false}, Row{"200 %x", std::nullopt, false}}) {
    SCOPED_TRACE(row.text);
    const ScaleSetting setting = ParseScaleSetting(row.text);
    EXPECT_EQ(setting.percent, row.percent);
    EXPECT_EQ(setting.valid, row.valid);
  }
}

}  // namespace
}  // namespace plinth

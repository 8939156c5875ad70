#include "src/layout/button_rec.h"

#include <gtest/gtest.h>

#include "platform/common/windows1252.h"

namespace plinth {
namespace {

TButtonRec FullRecord(std::string caption) {
  TButtonRec rec;
  rec.Type = "key";
  rec.Caption = std::move(caption);
  rec.KeyString = "a";
  rec.IconFile = "a.ico";
  rec.HomeButton = -1;
  rec.Shifted = true;
  rec.Control = true;
  rec.Shift = 2;
  rec.Handler = "default";
  rec.Action = "ctrl";
  rec.Param = {"p1", "p2", "p3", "p4", "p5"};
  rec.IntParam = {1, 2, 3, 4, 5};
  return rec;
}

struct Derivation {
  int layer;
  std::string caption;
  std::string expected;
};

TEST(InheritButtonRec, UpperCasesOneCharacterCaptionsOnShiftLayersOnly) {
  platform::Cp1252TextCase text_case;
  const Derivation cases[] = {
      {0, "a", "a"},       {1, "a", "A"},       {2, "a", "a"}, {3, "a", "A"}, {1, "ab", "ab"},
      {3, "ab", "ab"},     {1, "", ""},         {3, "", ""},   {1, "1", "1"}, {1, ";", ";"},
      {1, "\xE9", "\xC9"}, {3, "\xFF", "\x9F"}, {1, "A", "A"}, {1, " ", " "}, {1, "\xE9t", "\xE9t"},
  };
  for (const Derivation& c : cases) {
    const TButtonRec source = FullRecord(c.caption);
    TButtonRec dest;
    dest.Type = "ACTION";
    dest.Param[4] = "old";
    InheritButtonRec(dest, source, c.layer, text_case);

    TButtonRec expected = source;
    expected.Caption = c.expected;
    EXPECT_EQ(dest, expected) << "layer " << c.layer << " caption \"" << c.caption << '"';
    EXPECT_EQ(source, FullRecord(c.caption)) << "the source never changes";
  }
}

TEST(InheritButtonRec, KeyStringIsNeverUpperCased) {
  platform::Cp1252TextCase text_case;
  TButtonRec dest;
  for (int layer = 0; layer < kLayerCount; ++layer) {
    InheritButtonRec(dest, FullRecord("x"), layer, text_case);
    EXPECT_EQ(dest.KeyString, "a");
  }
}

TEST(ButtonTables, TemplateAndSuffixes) {
  TButtonRec expected;
  expected.Type = "KEY";
  EXPECT_EQ(MakeTemplateRec(), expected);
  EXPECT_EQ(MakeLayerSuffix(), (TLayerSuffix{"", "Shift", "Ext", "ExtShift"}));
}

TEST(ButtonTables, CellsOfEveryLayerAreDistinctSlots) {
  TButtonArray table;
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      table.at(layer, cell).Caption = std::to_string(layer) + "/" + std::to_string(cell);
    }
  }
  EXPECT_EQ(table.at(0, 1).Caption, "0/1");
  EXPECT_EQ(table.at(0, 49).Caption, "0/49");
  EXPECT_EQ(table.at(3, 25).Caption, "3/25");
  EXPECT_EQ(table.at(3, 49).Caption, "3/49");
}

}  // namespace
}  // namespace plinth

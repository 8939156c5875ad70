// The bundled layouts: clean for the checker, copied beside the programs,
// and complete: every key and action a user needs is reachable. What they
// type is tested on the keyboard itself (bundled_layouts_typing_test.cpp).

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "src/keyboard/button_key.h"
#include "tests/tools/tool_test_support.h"
#include "tools/layout_tool/layout_check.h"
#include "tools/layout_tool/layout_reading.h"
#include "tools/layout_tool/layout_typing.h"

namespace plinth::layout_tool {
namespace {

const std::filesystem::path kLayouts = PLINTH_LAYOUTS_DIR;

std::vector<std::string> BundledLayoutNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kLayouts)) {
    if (entry.path().extension() == ".ini") names.push_back(entry.path().filename().string());
  }
  return names;
}

ResolvedLayout Bundled(const std::string& name) {
  const std::string path = (kLayouts / (name + ".ini")).string();
  return ResolveLayout(*ReadFileBytes(path).bytes, {DirectoryOf(path)});
}

// Calls `visit` with every record of every layer but the centre cell's.
template <typename Visit>
void ForEachButton(const ResolvedLayout& layout, Visit visit) {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      if (cell != 25) visit(layout.table.at(layer, cell), layer, cell);
    }
  }
}

TEST(BundledLayoutsTest, AreCleanForTheChecker) {
  const std::vector<std::string> names = BundledLayoutNames();
  EXPECT_EQ(
      std::set<std::string>(names.begin(), names.end()),
      (std::set<std::string>{"Default.ini", "Extend.ini", "Numpad.ini", "Scan.ini", "Words.ini"}));
  for (const std::string& name : names) {
    const std::string path = (kLayouts / name).string();
    for (const Finding& finding : CheckLayout(*ReadFileBytes(path).bytes, path)) {
      ADD_FAILURE() << name << ":" << finding.line << ": " << finding.message;
    }
  }
}

TEST(BundledLayoutsTest, LieBesideTheProgramsAfterTheBuild) {
  for (const std::string& name : BundledLayoutNames()) {
    EXPECT_EQ(ReadWholeFile((std::filesystem::path(PLINTH_BIN_DIR) / name).string()),
              ReadWholeFile((kLayouts / name).string()))
        << name;
  }
}

TEST(BundledLayoutsTest, DefaultKeepsSpaceBackspaceAndEnterInEveryLayer) {
  const ResolvedLayout layout = Bundled("Default");
  for (const std::string key : {" ", "BACKSPACE", "ENTER"}) {
    int cell = 0;
    for (int c = 1; c <= kCellCount; ++c) {
      if (layout.table.at(0, c).KeyString == key) cell = c;
    }
    ASSERT_NE(cell, 0) << "no \"" << key << "\" in the base layer";
    for (int layer = 1; layer < kLayerCount; ++layer) {
      EXPECT_EQ(layout.table.at(layer, cell).KeyString, key) << "layer " << layer;
      EXPECT_EQ(layout.table.at(layer, cell).Type, layout.table.at(0, cell).Type);
    }
  }
}

TEST(BundledLayoutsTest, DefaultExtLayersHoldFunctionAndNavigationKeys) {
  std::set<std::string> names;
  ForEachButton(Bundled("Default"), [&](const TButtonRec& rec, int layer, int) {
    if (layer >= 2 && (rec.Type == "VIRTUALKEY" || rec.Type == "CURSORKEY")) {
      names.insert(rec.KeyString);
    }
  });
  for (const char* name :
       {"F1",  "F2",   "F3",  "F4",   "F5",   "F6", "F7",   "F8",   "F9",    "F10", "F11",
        "F12", "HOME", "END", "PGUP", "PGDN", "UP", "DOWN", "LEFT", "RIGHT", "DEL"}) {
    EXPECT_TRUE(names.count(name)) << name;
  }
}

TEST(BundledLayoutsTest, ExtendEditsWithCtrlInEveryLayer) {
  const ResolvedLayout layout = Bundled("Extend");
  for (const std::string letter : {"c", "x", "v", "z", "a"}) {
    bool found = false;
    ForEachButton(layout, [&](const TButtonRec& rec, int layer, int) {
      if (layer == 0 && rec.KeyString == letter && (rec.Action == "CTRL" || rec.Control)) {
        found = true;
      }
    });
    EXPECT_TRUE(found) << "Ctrl+" << letter;
  }
  std::set<std::string> names;
  ForEachButton(layout, [&](const TButtonRec& rec, int, int) { names.insert(rec.KeyString); });
  for (const char* name :
       {"UP", "DOWN", "LEFT", "RIGHT", "HOME", "END", "PGUP", "PGDN", "DEL", "INS"}) {
    EXPECT_TRUE(names.count(name)) << name;
  }
}

TEST(BundledLayoutsTest, OfferEveryActionBothTogglesAndEveryCorner) {
  std::set<std::string> offered;
  for (const char* name : {"Default", "Extend", "Numpad", "Words"}) {
    ForEachButton(Bundled(name), [&](const TButtonRec& rec, int, int) {
      if (rec.Type == "ACTION") {
        std::string word = rec.Handler + " " + rec.Action;
        if (rec.Action == "MOVE") word += " " + rec.Param[0] + " " + rec.Param[1];
        if (rec.Action == "LOADINI") word += " " + std::string(name) + "->" + rec.Param[0];
        offered.insert(word);
      } else {
        offered.insert(rec.Type);
      }
    });
  }
  for (const char* word : {"DEFAULT BEGINEXTEND",
                           "DEFAULT CANCELEXTEND",
                           "DEFAULT CAPSLOCK",
                           "DEFAULT SHIFT1LOCK",
                           "DEFAULT SHIFT2LOCK",
                           "DEFAULT TOGGLESELECTING",
                           "DEFAULT MOVE POINTER ",
                           "DEFAULT MOVE TOP LEFT",
                           "DEFAULT MOVE TOP RIGHT",
                           "DEFAULT MOVE BOTTOM LEFT",
                           "DEFAULT MOVE BOTTOM RIGHT",
                           "EXTEND TERMINATE",
                           "EXTEND LOADINI Extend->Numpad",
                           "EXTEND LOADINI Numpad->Default",
                           "EXTEND LOADINI Default->Words",
                           "EXTEND LOADINI Words->Default",
                           "DEFAULT WORD",
                           "CTRLTOGGLE",
                           "ALTTOGGLE",
                           "CURSORKEY"}) {
    EXPECT_TRUE(offered.count(word)) << word;
  }
}

// The words layout shows all eight suggestions on its base layer, and its
// letters, Space, Backspace, Enter and the common punctuation type with one
// click each, as in the layout it comes from.
TEST(BundledLayoutsTest, WordsShowsEverySuggestionBesideOneClickKeys) {
  const ResolvedLayout words = Bundled("Words");
  const LayoutCosts clicks = CostsOfLayout(words.table, ClicksToReach);
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(clicks.suggestions.at(n), 1.0) << n;
  for (const char c : std::string("abcdefghijklmnopqrstuvwxyz .,'?\n\b")) {
    EXPECT_EQ(clicks.characters.at(c), 1.0) << c;
  }
}

// The scanning layout shows the two likeliest suggestions in the middle
// row, before the Shift panel, on its base layer.
TEST(BundledLayoutsTest, ScanShowsTwoSuggestionsBeforeTheShiftPanel) {
  const ResolvedLayout scan = Bundled("Scan");
  EXPECT_EQ(SuggestionOfButton(scan.table.at(0, 22)), 1);
  EXPECT_EQ(SuggestionOfButton(scan.table.at(0, 23)), 2);
  const LayoutCosts clicks = CostsOfLayout(scan.table, ClicksToReach);
  EXPECT_EQ(clicks.suggestions, (std::map<int, double>{{1, 1.0}, {2, 1.0}}));
}

}  // namespace
}  // namespace plinth::layout_tool

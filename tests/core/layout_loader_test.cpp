#include "src/layout/layout_loader.h"

#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LayoutLoaderTest : public KeyboardTest {
 protected:
  const TButtonRec& Main(int layer, int cell) { return form().MainTable.at(layer, cell); }
  const TButtonRec& Extend(int layer, int cell) { return form().ExtendTable.at(layer, cell); }
  const TButtonRec& Defaults(int layer, int cell) { return form().DefaultTable.at(layer, cell); }

  static TButtonRec Template() { return MakeTemplateRec(); }
};

TEST_F(LayoutLoaderTest, MissingKeysOfHigherLayersComeFromTheLayerBelow) {
  Start(R"(
[Button7]
Caption=a
KeyString=q
HomeButton=-1
Shifted=1
Control=1
Action=ctrl
[ExtButton7]
Caption=e
Shifted=1
)");
  EXPECT_EQ(Main(0, 7).Type, "KEY");
  EXPECT_EQ(Main(0, 7).Caption, "a");
  EXPECT_EQ(Main(1, 7).Caption, "A");
  EXPECT_EQ(Main(2, 7).Caption, "e");
  EXPECT_EQ(Main(3, 7).Caption, "E");
  for (int layer = 1; layer < kLayerCount; ++layer) {
    EXPECT_EQ(Main(layer, 7).KeyString, "q") << layer;
    EXPECT_EQ(Main(layer, 7).HomeButton, -1) << layer;
    EXPECT_EQ(Main(layer, 7).Action, "ctrl") << layer;
    EXPECT_FALSE(Main(layer, 7).Control) << "never taken over, layer " << layer;
  }
  EXPECT_TRUE(Main(0, 7).Shifted);
  EXPECT_FALSE(Main(1, 7).Shifted);
  EXPECT_TRUE(Main(2, 7).Shifted);
  EXPECT_FALSE(Main(3, 7).Shifted);
}

// A key the section leaves out keeps the inherited text byte for byte;
// only values read from the file lose their quotes and outer blanks.
TEST_F(LayoutLoaderTest, InheritedTextsKeepTheirBlanksAndQuotes) {
  Start(R"(
[Button26]
Caption=Spc
KeyString=" "
[Button27]
Caption="a "
KeyString='"q"'
IconFile=  i  
[ShiftButton27]
Handler=" h "
)");
  for (int layer = 0; layer < kLayerCount; ++layer) {
    EXPECT_EQ(Main(layer, 26).KeyString, " ") << layer;
    EXPECT_EQ(Main(layer, 27).Caption, "a ") << layer;
    EXPECT_EQ(Main(layer, 27).KeyString, "\"q\"") << layer;
    EXPECT_EQ(Main(layer, 27).IconFile, "i") << layer;
  }
  EXPECT_EQ(Main(1, 27).Handler, " h ");
  ArmPanel(PanelId::Shift);
  Click(26);
  EXPECT_THAT(TakeKeys(), ElementsAre(Down(' '), Up(' ')));
}

TEST_F(LayoutLoaderTest, CaptionsWithoutSectionsAndCaptionsWrittenInAShiftSection) {
  Start("[Button7]\nCaption=a\n[Button8]\nCaption=b\n[ShiftButton8]\nCaption=b\n");
  EXPECT_EQ(Main(1, 7).Caption, "A");
  EXPECT_EQ(Main(2, 7).Caption, "a");
  EXPECT_EQ(Main(3, 7).Caption, "A");
  EXPECT_EQ(Main(1, 8).Caption, "b") << "a caption a Shift section sets stays as written";
}

TEST_F(LayoutLoaderTest, ReadsEveryKeyOfASection) {
  Start(R"(
[Button3]
Type=action
Caption=Go
KeyString=x
IconFile=go.ico
HomeButton=0x10
Shifted=$FF
Control=-1
Shift=set
Handler=extend
Action=loadini
Param1=one
IntParam1=1
Param2=two
IntParam2=-2
Param3=three
IntParam3=$10
Param4=four
IntParam4=4
Param5=five
IntParam5=5
)");
  TButtonRec expected;
  expected.Type = "action";
  expected.Caption = "Go";
  expected.KeyString = "x";
  expected.IconFile = "go.ico";
  expected.HomeButton = 16;
  expected.Shifted = true;
  expected.Control = true;
  expected.Shift = 1;
  expected.Handler = "extend";
  expected.Action = "loadini";
  expected.Param = {"one", "two", "three", "four", "five"};
  expected.IntParam = {1, -2, 16, 4, 5};
  EXPECT_EQ(Main(0, 3), expected);
}

TEST_F(LayoutLoaderTest, BooleansAreNonZeroNumbers) {
  const std::pair<const char*, bool> cases[] = {
      {"1", true},  {"-1", true}, {"$FF", true},   {"0x0", false},
      {"0", false}, {"", false},  {"true", false}, {"yes", false},
  };
  std::string ini;
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    ini += "[Button" + std::to_string(i + 1) + "]\nShifted=" + cases[i].first + "\n";
  }
  Start(ini);
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    EXPECT_EQ(Main(0, i + 1).Shifted, cases[i].second) << "Shifted=" << cases[i].first;
  }
}

TEST_F(LayoutLoaderTest, InvalidIntegersAndUnknownShiftWordsKeepTheStartingValue) {
  Start(R"(
[Button1]
HomeButton=-1
[Button2]
HomeButton=0xFFFFFFFF
[Button3]
HomeButton=$FFFFFFFF
[Button4]
HomeButton=5
IntParam2=7
Shift=Clear
[ShiftButton4]
HomeButton=2147483648
IntParam2=
Shift=yes
[ExtButton4]
HomeButton=12abc
IntParam2=x
Shift=SET
)");
  EXPECT_EQ(Main(0, 1).HomeButton, -1);
  EXPECT_EQ(Main(0, 2).HomeButton, -1);
  EXPECT_EQ(Main(0, 3).HomeButton, -1);
  EXPECT_EQ(Main(0, 4).Shift, 2);
  EXPECT_EQ(Main(1, 4).HomeButton, 5);
  EXPECT_EQ(Main(1, 4).IntParam[1], 7);
  EXPECT_EQ(Main(1, 4).Shift, 2);
  EXPECT_EQ(Main(2, 4).HomeButton, 5);
  EXPECT_EQ(Main(2, 4).IntParam[1], 7);
  EXPECT_EQ(Main(2, 4).Shift, 1);
}

TEST_F(LayoutLoaderTest, AnEmptyTextValueReplacesTheStartingValue) {
  Start("[Button5]\nCaption=x\nKeyString=y\n[ShiftButton5]\nCaption=\nKeyString=\n");
  EXPECT_EQ(Main(1, 5).Caption, "");
  EXPECT_EQ(Main(1, 5).KeyString, "");
}

TEST_F(LayoutLoaderTest, LongTextValuesAreCut) {
  Start("[Button5]\nCaption=" + std::string(100000, 'c') + "\n");
  EXPECT_EQ(Main(0, 5).Caption, std::string(2047, 'c'));
}

TEST_F(LayoutLoaderTest, LowerCaseDefaultIsAnOrdinaryType) {
  Start("[Button7]\nType=default\nCaption=d\n");
  EXPECT_EQ(Main(0, 7).Type, "default");
  EXPECT_EQ(Main(0, 7).Caption, "d");
  Click(7);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_EQ(pointer.moves().size(), 1u);
}

TEST_F(LayoutLoaderTest, ExistingFileWithoutSectionsGivesTemplateRecords) {
  Start("; nothing but a comment\n", "garbage\x01\x02 no sections\n");
  TButtonArray expected;
  for (int cell = 1; cell <= kCellCount; ++cell) {
    for (int layer = 0; layer < kLayerCount; ++layer) expected.at(layer, cell) = Template();
  }
  EXPECT_EQ(form().MainTable, expected);
  EXPECT_EQ(form().ExtendTable, expected);
  EXPECT_FALSE(form().ShiftLatch);
  EXPECT_FALSE(form().ExtendLatch);
  EXPECT_THAT(Warnings(), IsEmpty());
}

TEST_F(LayoutLoaderTest, CentreCellIsReadLikeAnyOther) {
  Start(R"(
[Button25]
Caption=b
[ShiftButton25]
Caption=s
[ExtButton25]
Caption=e
[ExtShiftButton25]
Caption=x
)");
  EXPECT_EQ(Main(0, 25).Caption, "b");
  EXPECT_EQ(Main(1, 25).Caption, "s");
  EXPECT_EQ(Main(2, 25).Caption, "e");
  EXPECT_EQ(Main(3, 25).Caption, "x");
  EXPECT_EQ(window.misaddressed_calls(), 0);
}

// ---- the "Default" rule

constexpr const char* kDefaultCell7 = R"(
[Button7]
Caption=q
KeyString=k
Shifted=1
Control=1
[ShiftButton7]
Caption=Q!
[ExtButton7]
Caption=ext
)";

TEST_F(LayoutLoaderTest, DefaultInABaseSectionTakesTheDefaultCellAndDerivesTheRest) {
  Start(kDefaultCell7, "[Button7]\nType=Default\nCaption=ignored\n");
  const TButtonRec base = Defaults(0, 7);
  EXPECT_EQ(base.Caption, "q");
  EXPECT_EQ(Extend(0, 7), base);

  TButtonRec shifted = base;
  shifted.Caption = "Q";
  shifted.Shifted = shifted.Control = false;
  EXPECT_EQ(Extend(1, 7), shifted);

  TButtonRec ext = base;
  ext.Shifted = ext.Control = false;
  EXPECT_EQ(Extend(2, 7), ext);
  EXPECT_EQ(Extend(3, 7), shifted);
}

TEST_F(LayoutLoaderTest, DefaultInAShiftSectionReplacesTheBaseLayerToo) {
  Start(kDefaultCell7, "[Button7]\nCaption=z\n[ShiftButton7]\nType=Default\n");
  EXPECT_EQ(Extend(0, 7), Defaults(0, 7));
  EXPECT_EQ(Extend(1, 7), Defaults(1, 7));
  EXPECT_EQ(Extend(1, 7).Caption, "Q!");
  EXPECT_EQ(Extend(2, 7).Caption, "q") << "derived afresh from the new base";
}

TEST_F(LayoutLoaderTest, DefaultInTheDefaultFileLeavesTypedTemplateRecords) {
  Start("[Button7]\nType=Default\nCaption=x\n", "[Button7]\nType=Default\n");
  TButtonRec expected = Template();
  expected.Type = "Default";
  for (int layer = 0; layer < kLayerCount; ++layer) {
    EXPECT_EQ(Defaults(layer, 7), expected) << layer;
    EXPECT_EQ(Main(layer, 7), expected) << layer;
    EXPECT_EQ(Extend(layer, 7), expected) << layer;
  }
  EXPECT_EQ(Label(7), "");

  Click(7);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_THAT(pointer.moves(), ElementsAre(platform::Point{308, 382}));
}

TEST_F(LayoutLoaderTest, WithoutADefaultFileDefaultCellsBecomeEmpty) {
  PutLayout("Extend", "[Button7]\nType=Default\nCaption=x\n[Button8]\nCaption=y\n");
  Create();
  EXPECT_EQ(Extend(0, 7), TButtonRec{});
  EXPECT_EQ(Extend(3, 7), TButtonRec{});
  EXPECT_EQ(Extend(0, 8).Caption, "y");
}

// ---- [Configuration]

TEST_F(LayoutLoaderTest, LatchSettingsComeFromTheLastFileRead) {
  const std::pair<const char*, bool> shift_cases[] = {
      {"latch", true},   {"LATCH", true}, {"Latch", true},   {"LATCHED", false},
      {"TOGGLE", false}, {"", false},     {" latch ", true},
  };
  for (const auto& [word, latch] : shift_cases) {
    TestKeyboard kb;
    kb.PutLayout("Default", std::string("[Configuration]\nShiftOperation=") + word +
                                "\nShift2Operation=" + word + "\n");
    kb.PutLayout("Extend", "[Configuration]\nShiftOperation=TOGGLE\nShift2Operation=latch\n");
    kb.Create();
    EXPECT_EQ(kb.form().ShiftLatch, latch) << word;
    EXPECT_EQ(kb.form().ExtendLatch, latch) << word;
  }
}

TEST_F(LayoutLoaderTest, LatchSettingsAreIndependent) {
  Start("[Configuration]\nShift2Operation=Latch\n");
  EXPECT_FALSE(form().ShiftLatch);
  EXPECT_TRUE(form().ExtendLatch);
}

// ---- files and failures

TEST_F(LayoutLoaderTest, MissingExtendFileIsReportedOnceAndLeavesItsTableEmpty) {
  PutLayout("Default", "[Configuration]\nShiftOperation=LATCH\n[Button1]\nCaption=a\n");
  Create();
  EXPECT_THAT(Warnings(), ElementsAre("Error - Inifile not found -Extend"));
  EXPECT_EQ(form().ExtendTable, TButtonArray{});
  EXPECT_TRUE(form().ShiftLatch) << "nothing of the file was read";
  EXPECT_EQ(Label(1), "a");
}

TEST_F(LayoutLoaderTest, LayoutsAreReadFromTheExecutablesDirectory) {
  files.set_executable_path("/home/user/kb/bin/plinth");
  files.WriteFile("/home/user/kb/bin/Default.ini", "[Button1]\nCaption=here\n");
  files.WriteFile("/opt/plinth/Default.ini", "[Button1]\nCaption=elsewhere\n");
  files.WriteFile("/home/user/kb/bin/Extend.ini", "");
  Create();
  EXPECT_EQ(Label(1), "here");
  EXPECT_THAT(files.opened(),
              ElementsAre("/home/user/kb/bin/Default.ini", "/home/user/kb/bin/Extend.ini",
                          "/home/user/kb/bin/Default.ini"));
}

TEST_F(LayoutLoaderTest, EachLayoutComesFromTheFirstFolderThatHoldsIt) {
  files.set_user_folder("/home/ana/.config/plinth/");
  files.WriteFile("/home/ana/.config/plinth/Default.ini",
                  "[Button1]\nCaption=mine\n[Button2]\nType=ACTION\nHandler=EXTEND\n"
                  "Action=LOADINI\nParam1=Numpad\n[Button3]\nType=ACTION\nHandler=EXTEND\n"
                  "Action=LOADINI\nParam1=Nowhere\n");
  PutLayout("Default", "[Button1]\nCaption=bundled\n");
  PutLayout("Extend", "[Button1]\nCaption=extend\n");
  PutLayout("Numpad", "[Button1]\nCaption=7\n");
  Create();
  EXPECT_EQ(Label(1), "mine");
  EXPECT_THAT(files.opened(),
              ElementsAre("/home/ana/.config/plinth/Default.ini", "/opt/plinth/Extend.ini",
                          "/home/ana/.config/plinth/Default.ini"));
  Click(3);
  EXPECT_THAT(Warnings(), ElementsAre("Error - Inifile not found -Nowhere"));
  Click(2);
  EXPECT_EQ(Label(1), "7");
}

TEST_F(LayoutLoaderTest, AMissingUserFolderLeavesTheExecutablesFolder) {
  files.set_user_folder("/home/ana/.config/plinth/");
  Start("[Button1]\nCaption=bundled\n");
  EXPECT_EQ(Label(1), "bundled");
  EXPECT_THAT(Warnings(), ElementsAre());
}

TEST_F(LayoutLoaderTest, ADirectoryIsNoLayoutFile) {
  PutLayout("Default", "[Button1]\nCaption=a\n");
  files.AddDirectory("/opt/plinth/Extend.ini");
  Create();
  EXPECT_THAT(Warnings(), ElementsAre("Error - Inifile not found -Extend"));
}

TEST_F(LayoutLoaderTest, AFailureWhileOpeningIsReportedAndChangesNothing) {
  Start("[Button1]\nCaption=a\n");
  window.ClearDialogs();
  const TButtonArray before = form().MainTable;
  files.FailOpening();
  form().LoadLayout("Default", form().MainTable, true);
  EXPECT_THAT(Warnings(), ElementsAre("Error - No Ini File"));
  EXPECT_EQ(form().MainTable, before);
  EXPECT_EQ(Label(1), "a");
}

TEST_F(LayoutLoaderTest, AFileThatCannotBeReadIsReportedAndChangesNothing) {
  Start("[Configuration]\nShiftOperation=latch\n[Button1]\nCaption=a\n", "");
  window.ClearDialogs();
  const TButtonArray before = form().MainTable;
  files.WriteBesideExecutable("Locked.ini", "[Configuration]\n[Button1]\nCaption=b\n");
  files.MakeUnreadable(files.ExecutableDirectory() + "Locked.ini");
  form().LoadLayout("Locked", form().MainTable, true);
  EXPECT_THAT(Warnings(), ElementsAre("Error - No Ini File"));
  EXPECT_EQ(form().MainTable, before);
  EXPECT_TRUE(form().ShiftLatch) << "nothing of the file was read";
  EXPECT_EQ(Label(1), "a");
}

TEST_F(LayoutLoaderTest, AFailurePartWayKeepsWhatWasReadAndSkipsTheRest) {
  Start("[Button1]\nCaption=old\n[Button40]\nCaption=old\n",
        "[Configuration]\nShiftOperation=latch\n[Button2]\nCaption=e\n");
  form().CurrentTable = &form().ExtendTable;
  form().RefreshKeyboard(false);
  window.ClearDialogs();
  form().Flags.CapsLock = true;  // set without a relabel: one would show "E"

  PutLayout("Other",
            "[Configuration]\nShiftOperation=latch\n[Button1]\nCaption=new\n"
            "[Button40]\nCaption=new\n");
  // [Configuration] takes 2 lookups and each slot 20: fail in cell 11.
  files.FailLookup(2 + 20 * 4 * 10 + 5);
  const bool result = form().LoadLayout("Other", form().MainTable, true);

  EXPECT_TRUE(result);
  EXPECT_THAT(Warnings(), ElementsAre("Error - No Ini File"));
  EXPECT_EQ(Main(0, 1).Caption, "new");
  EXPECT_EQ(Main(0, 40).Caption, "old");
  EXPECT_TRUE(form().ShiftLatch);
  EXPECT_EQ(form().CurrentTable, &form().ExtendTable) << "no switch after a failure";
  EXPECT_EQ(Label(2), "e") << "no relabel after a failure";
}

}  // namespace
}  // namespace plinth

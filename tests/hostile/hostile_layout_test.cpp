// Hostile layout files, read from disk: each loads at start and through
// LOADINI without harm, shows the keyboard's messages where they apply, and
// leaves the keyboard usable: a click afterwards still types.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/testing/recording_keys.h"
#include "tests/hostile/disk_keyboard.h"
#include "tests/hostile/hostile_layouts.h"

namespace plinth::hostile {
namespace {

using test_platform::Down;
using test_platform::KeyEvent;
using test_platform::Up;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint16_t kVkA = 'A';

// A plain layout whose Button2 loads the layout named in its Param1.
std::string LoaderLayout(const std::string& layout_name) {
  return "[Button1]\r\nCaption=q\r\n"
         "[Button2]\r\nType=ACTION\r\nHandler=EXTEND\r\nAction=LOADINI\r\nParam1=" +
         layout_name + "\r\n";
}

const std::string& BundledDefault() {
  static const std::string text = plinth::hostile::BundledLayout("Default");
  return text;
}

const std::vector<HostileLayout>& Corpus() {
  static const std::vector<HostileLayout> corpus = AllHostileLayouts(BundledDefault());
  return corpus;
}

std::vector<std::string> CorpusNames() {
  std::vector<std::string> names;
  for (const HostileLayout& layout : Corpus()) names.push_back(layout.name);
  return names;
}

std::string BytesOf(const std::string& name) {
  for (const HostileLayout& layout : Corpus()) {
    if (layout.name == name) return layout.make();
  }
  throw std::logic_error("no hostile layout " + name);
}

class HostileLayoutTest : public ::testing::TestWithParam<std::string> {
 protected:
  void ExpectTypesA() {
    kb_.keyboard.TakeKeys();
    kb_.keyboard.Click(1);
    EXPECT_THAT(kb_.keyboard.TakeKeys(), ElementsAre(Down(kVkA), Up(kVkA)));
    EXPECT_EQ(kb_.keyboard.Caption(), "A - 65");
    EXPECT_TRUE(kb_.keyboard.keys.KeysHeld().empty());
  }

  DiskKeyboard kb_;
};

TEST_P(HostileLayoutTest, LoadsAtStartAndTheKeyboardStillTypes) {
  kb_.Write("Default.ini", BytesOf(GetParam()));
  kb_.Write("Extend.ini", "");
  kb_.Create();
  EXPECT_THAT(kb_.keyboard.Warnings(), IsEmpty());
  EXPECT_EQ(kb_.keyboard.Label(1), "a");
  ExpectTypesA();
}

TEST_P(HostileLayoutTest, LoadsThroughLoadIniAndTheKeyboardStillTypes) {
  kb_.Write("Default.ini", LoaderLayout("Hostile"));
  kb_.Write("Extend.ini", "");
  kb_.Write("Hostile.ini", BytesOf(GetParam()));
  kb_.Create();
  kb_.keyboard.Click(2);
  EXPECT_THAT(kb_.keyboard.Warnings(), IsEmpty());
  EXPECT_EQ(kb_.keyboard.Label(1), "a");
  ExpectTypesA();
}

std::string TestName(const ::testing::TestParamInfo<std::string>& layout) { return layout.param; }

INSTANTIATE_TEST_SUITE_P(Corpus, HostileLayoutTest, ::testing::ValuesIn(CorpusNames()), TestName);

// What the odd files mean, beyond "it still types".
class HostileContentTest : public ::testing::Test {
 protected:
  test_platform::TestKeyboard& Load(const std::string& bytes) {
    kb_.Write("Default.ini", bytes);
    kb_.Write("Extend.ini", "");
    kb_.Create();
    EXPECT_THAT(kb_.keyboard.Warnings(), IsEmpty());
    return kb_.keyboard;
  }

  DiskKeyboard kb_;
};

TEST_F(HostileContentTest, AOneMegabyteValueIsCutTo2047Characters) {
  auto& kb = Load(LongLine(1024 * 1024));
  EXPECT_EQ(kb.Label(2), std::string(2047, 'x'));
  kb.Click(2);
  EXPECT_THAT(kb.TakeKeys(), ElementsAre(Down('X'), Up('X')));
  EXPECT_EQ(kb.Caption(), std::string(2047, 'X') + " - 88");
}

TEST_F(HostileContentTest, NulBytesEndValuesAndSpoilNames) {
  auto& kb = Load(NulBytes());
  EXPECT_EQ(kb.Label(1), "a");
  EXPECT_EQ(kb.Label(2), "");  // "[But\0ton2]" names another section
  EXPECT_EQ(kb.Label(3), "");
  EXPECT_EQ(kb_.form().MainTable.at(0, 1).Type, "KEY");  // "Ty\0pe" is another key
}

TEST_F(HostileContentTest, OfRepeatedKeysTheFirstCounts) {
  auto& kb = Load(EveryKeyRepeated());
  const TButtonRec& rec = kb_.form().MainTable.at(0, 1);
  EXPECT_EQ(rec.Type, "KEY");
  EXPECT_EQ(rec.Caption, "a");
  EXPECT_EQ(rec.KeyString, "");
  EXPECT_EQ(rec.Action, "");
  EXPECT_FALSE(rec.Shifted);
  EXPECT_EQ(rec.HomeButton, 0);
  kb.Click(1);
  EXPECT_EQ(kb.app.terminate_requests(), 0);
}

TEST_F(HostileContentTest, OfRepeatedSectionsTheFirstCounts) {
  EXPECT_EQ(Load(SectionsRepeated()).Label(1), "a");
  EXPECT_EQ(kb_.form().MainTable.at(0, 1).Caption, "a");
}

TEST_F(HostileContentTest, OfAHundredThousandSectionsTheButtonsAreFound) {
  EXPECT_EQ(Load(ManySections(100000)).Label(1), "a");
}

TEST_F(HostileContentTest, MatchingQuotesGoAndBlanksAroundThemToo) {
  auto& kb = Load(QuotesAndBlanks());
  EXPECT_EQ(kb.Label(1), "a");
  EXPECT_EQ(kb.Label(2), " ");
  EXPECT_EQ(kb.Label(3), "");
  EXPECT_EQ(kb.Label(4), "\"a");
  EXPECT_EQ(kb.Label(5), "'b\"");
  EXPECT_EQ(kb.Label(6), "\"c d\"  e");
}

TEST_F(HostileContentTest, LoneCarriageReturnsEndLines) {
  auto& kb = Load(CrOnlyLineEnds());
  EXPECT_EQ(kb.Label(2), "b");
  kb.ArmPanel(PanelId::Shift);
  EXPECT_EQ(kb.Label(2), "c");
}

TEST_F(HostileContentTest, AUtf8FileWithItsMarkIsDecoded) {
  auto& kb = Load(Utf8WithBom());
  EXPECT_EQ(kb.Label(3), "\xE9");
  // No key of the US layout types an accented capital: the message says so.
  kb.Click(3);
  EXPECT_THAT(kb.TakeKeys(), IsEmpty());
  EXPECT_THAT(kb.Warnings(), ElementsAre("Error - Invalid Vkey \xC9"));
}

TEST_F(HostileContentTest, AUtf8FileWithoutTheMarkIsDecoded) {
  auto& kb = Load(Utf8Captions());
  EXPECT_EQ(kb.Label(3), "\xC4");
  EXPECT_EQ(kb.Label(4), "\x80");
}

TEST_F(HostileContentTest, Latin1BytesAreReadAsWindows1252) {
  auto& kb = Load(Latin1Captions());
  EXPECT_EQ(kb.Label(3), "\xC9");
  EXPECT_EQ(kb.Label(4), "\xFF");
  kb.Click(4);
  EXPECT_THAT(kb.Warnings(), ElementsAre("Error - Invalid Vkey \x9F"));  // upper-case ÿ
}

TEST_F(HostileContentTest, AFileNearlyAsLargeAsALayoutMayBeShowsWhatItsLayoutSays) {
  DiskKeyboard plain;
  plain.Write("Default.ini", BundledDefault());
  plain.Write("Extend.ini", "");
  plain.Create();
  auto& kb = Load(HugeFile(BundledDefault(), platform::FileSystem::kMaxProfileFileSize - 2048));
  for (int cell = 2; cell <= kCellCount; ++cell) {
    if (cell == 25) continue;
    EXPECT_EQ(kb.Label(cell), plain.keyboard.Label(cell)) << "cell " << cell;
  }
}

// Names that do not lead to a readable file.
class UnreadableLayoutTest : public ::testing::Test {
 protected:
  DiskKeyboard kb_;
};

TEST_F(UnreadableLayoutTest, ADirectoryNamedLikeTheLayoutIsNotFound) {
  kb_.MakeDirectory("Default.ini");
  kb_.Write("Extend.ini", "");
  kb_.Create();
  EXPECT_THAT(kb_.keyboard.Warnings(), ElementsAre("Error - Inifile not found -Default",
                                                   "Error - Inifile not found -Default"));
  // The keyboard goes on: its panels still select layers.
  kb_.keyboard.ArmPanel(PanelId::Shift);
  EXPECT_EQ(kb_.form().CurrentLayer, 1);
}

TEST_F(UnreadableLayoutTest, ADirectoryLoadedByLoadIniIsNotFoundAndTheLayoutStays) {
  kb_.Write("Default.ini", LoaderLayout("Folder"));
  kb_.Write("Extend.ini", "");
  kb_.MakeDirectory("Folder.ini");
  kb_.Create();
  kb_.keyboard.Click(2);
  EXPECT_THAT(kb_.keyboard.Warnings(), ElementsAre("Error - Inifile not found -Folder"));
  kb_.keyboard.TakeKeys();
  kb_.keyboard.Click(1);
  EXPECT_THAT(kb_.keyboard.TakeKeys(), ElementsAre(Down('Q'), Up('Q')));
}

TEST_F(UnreadableLayoutTest, AMissingExtendLayoutIsReportedAndDefaultWorks) {
  kb_.Write("Default.ini", kUsableButton);
  kb_.Create();
  EXPECT_THAT(kb_.keyboard.Warnings(), ElementsAre("Error - Inifile not found -Extend"));
  kb_.keyboard.Click(1);
  EXPECT_THAT(kb_.keyboard.TakeKeys(), ElementsAre(Down(kVkA), Up(kVkA)));
}

// A layout name is used as written: separators lead into other folders.
TEST_F(UnreadableLayoutTest, ANameWithSlashesLoadsFromTheFolderItNames) {
  kb_.Write("Default.ini", LoaderLayout("sub/Inner"));
  kb_.Write("Extend.ini", "");
  kb_.Write("sub/Inner.ini", kUsableButton);
  kb_.Create();
  kb_.keyboard.Click(2);
  EXPECT_THAT(kb_.keyboard.Warnings(), IsEmpty());
  kb_.keyboard.TakeKeys();
  kb_.keyboard.Click(1);
  EXPECT_THAT(kb_.keyboard.TakeKeys(), ElementsAre(Down(kVkA), Up(kVkA)));
}

TEST_F(UnreadableLayoutTest, ANameLeadingUpAndBackLoadsToo) {
  const std::string name = "../" + kb_.directory().filename().string() + "/sub/Inner";
  kb_.Write("Default.ini", LoaderLayout(name));
  kb_.Write("Extend.ini", "");
  kb_.Write("sub/Inner.ini", kUsableButton);
  kb_.Create();
  kb_.keyboard.Click(2);
  EXPECT_THAT(kb_.keyboard.Warnings(), IsEmpty());
  EXPECT_EQ(kb_.keyboard.Label(1), "a");
}

TEST_F(UnreadableLayoutTest, NamesLeadingNowhereAreReported) {
  for (const std::string name : {"no/such/folder/Layout", "sub\\Inner", "sub/", "/"}) {
    DiskKeyboard kb;
    kb.Write("Default.ini", LoaderLayout(name));
    kb.Write("Extend.ini", "");
    kb.Write("sub/Inner.ini", kUsableButton);
    kb.Create();
    kb.keyboard.Click(2);
    EXPECT_THAT(kb.keyboard.Warnings(), ElementsAre("Error - Inifile not found -" + name));
    kb.keyboard.TakeKeys();
    kb.keyboard.Click(1);
    EXPECT_THAT(kb.keyboard.TakeKeys(), ElementsAre(Down('Q'), Up('Q'))) << name;
  }
}

// Files that exist but cannot be read as layouts: each is reported, and
// the table on show stays as it was.
class RefusedLayoutTest : public ::testing::Test {
 protected:
  // Default.ini with Button2 loading "Refused"; `make` puts the file there.
  void LoadRefused(const std::function<void(const std::filesystem::path&)>& make) {
    kb_.Write("Default.ini", LoaderLayout("Refused"));
    kb_.Write("Extend.ini", "");
    kb_.Create();
    make(kb_.directory() / "Refused.ini");
    kb_.keyboard.Click(2);
    EXPECT_THAT(kb_.keyboard.Warnings(), ElementsAre("Error - No Ini File"));
    EXPECT_EQ(kb_.keyboard.Label(1), "q");  // the table on show stays
    kb_.keyboard.Click(1);
    EXPECT_THAT(kb_.keyboard.TakeKeys(), ElementsAre(Down('Q'), Up('Q')));
  }

  DiskKeyboard kb_;
};

TEST_F(RefusedLayoutTest, AFileLargerThanAnyLayoutIsNotRead) {
  LoadRefused([](const std::filesystem::path& path) {
    std::ofstream(path) << "[Button1]\nCaption=big\n";
    std::filesystem::resize_file(path, std::uint64_t{3} << 30U);  // sparse: no disk, no time
  });
}

TEST_F(RefusedLayoutTest, APipeIsNotWaitedFor) {
  LoadRefused([](const std::filesystem::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); });
}

TEST_F(RefusedLayoutTest, ADeviceIsNotRead) {
  LoadRefused([](const std::filesystem::path& path) {
    std::filesystem::create_symlink("/dev/zero", path);
  });
}

TEST_F(RefusedLayoutTest, AFileWithoutReadPermissionIsReported) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  LoadRefused([](const std::filesystem::path& path) {
    std::ofstream(path) << "[Button1]\nCaption=locked\n";
    std::filesystem::permissions(path, std::filesystem::perms::none);
  });
}

// Start-up with a pipe named Default.ini goes on at once.
TEST(RefusedDefaultLayoutTest, APipeNamedDefaultIniDoesNotHoldUpTheStart) {
  DiskKeyboard kb;
  ASSERT_EQ(mkfifo((kb.directory() / "Default.ini").c_str(), 0600), 0);
  kb.Write("Extend.ini", kUsableButton);
  kb.Create();
  EXPECT_THAT(kb.keyboard.Warnings(), ElementsAre("Error - No Ini File", "Error - No Ini File"));
}

// The executable's folder and the layout name both hold non-ASCII letters:
// the folder's bytes stay as they are, only the name is converted.
TEST(NonAsciiNamesTest, ALayoutIsFoundBesideAFolderNamedWithAccents) {
  DiskKeyboard kb;
  kb.Write("jos\xC3\xA9/Default.ini", LoaderLayout("\xC9t\xE9"));  // "Été", Windows-1252
  kb.Write("jos\xC3\xA9/Extend.ini", "");
  kb.Write("jos\xC3\xA9/\xC3\x89t\xC3\xA9.ini", kUsableButton);  // its UTF-8 file name
  kb.set_executable_folder("jos\xC3\xA9");
  kb.Create();
  kb.keyboard.Click(2);
  EXPECT_THAT(kb.keyboard.Warnings(), IsEmpty());
  EXPECT_EQ(kb.keyboard.Label(1), "a");
}

}  // namespace
}  // namespace plinth::hostile

#include "src/words/word_files.h"

#include <gtest/gtest.h>

#include "platform/testing/memory_file_system.h"

namespace plinth::words {
namespace {

using test_platform::MemoryFileSystem;

const std::string kLearnedPath =
    std::string(MemoryFileSystem::kDefaultDataFolder) + "learned-words.txt";

TEST(WordFilesTest, AWordListThatCannotBeReadGivesAClearErrorAndNoWords) {
  const struct {
    std::string_view name;
    std::optional<std::string> bytes;  // nothing: no such file
    bool unreadable;
    std::string_view error;
  } cases[] = {
      {"good", "the\t3\n", false, ""},
      {"missing", std::nullopt, false,
       "cannot read the word list /w/list.txt: No such file or directory"},
      {"unreadable", "the\t3\n", true, "cannot read the word list /w/list.txt: Permission denied"},
      {"corrupt", "the\t3\nbinary\x01\x02\n", false,
       "the word list /w/list.txt is unreadable: line 2: no tab between the word and its count"},
      {"huge", std::string(WordList::kMaxFileSize + 1, 'a'), false,
       "cannot read the word list /w/list.txt: it is 33554433 bytes, more than 33554432"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    if (c.bytes) files.WriteFile("/w/list.txt", *c.bytes);
    if (c.unreadable) files.MakeUnreadable("/w/list.txt");
    const WordListRead read = LoadWordList(files, "/w/list.txt");
    EXPECT_EQ(read.error, c.error) << c.name;
    EXPECT_EQ(read.list.words().size(), c.error.empty() ? 1u : 0u) << c.name;
  }
}

TEST(WordFilesTest, LearnedWordsAreSavedWhenChangedAndReadBack) {
  MemoryFileSystem files;
  LearnedWordsFile file(files);
  EXPECT_EQ(file.path(), kLearnedPath);
  LearnedWords learned;
  EXPECT_EQ(file.Load(learned), std::nullopt);  // no file yet
  EXPECT_EQ(file.Save(learned), std::nullopt);
  EXPECT_TRUE(files.written().empty());  // nothing learned: nothing written
  learned.Learn("", "zebra", false);
  EXPECT_EQ(file.Save(learned), std::nullopt);
  EXPECT_EQ(files.written().size(), 1u);
  EXPECT_FALSE(learned.changed());

  LearnedWords again;
  EXPECT_EQ(LearnedWordsFile(files).Load(again), std::nullopt);
  EXPECT_EQ(again.ToText(), learned.ToText());
}

TEST(WordFilesTest, AFailedSaveLosesNothingAndIsTriedAgain) {
  MemoryFileSystem files;
  files.WriteFile(kLearnedPath, "old\t1\t1\n");
  LearnedWordsFile file(files);
  LearnedWords learned;
  ASSERT_EQ(file.Load(learned), std::nullopt);
  learned.Learn("", "new", false);
  files.FailWrites("No space left on device");
  EXPECT_EQ(file.Save(learned), "cannot save the learned words: cannot write " + kLearnedPath +
                                    ": No space left on device");
  EXPECT_EQ(files.FileBytes(kLearnedPath), "old\t1\t1\n");  // the old file whole
  EXPECT_TRUE(learned.changed());
  files.FailWrites("");
  EXPECT_EQ(file.Save(learned), std::nullopt);
  EXPECT_NE(files.FileBytes(kLearnedPath)->find("new\t1\t2"), std::string::npos);
}

TEST(WordFilesTest, AFileThatCannotBeReadIsNeverOverwritten) {
  MemoryFileSystem files;
  files.WriteFile(kLearnedPath, "precious\t5\t9\n");
  files.MakeUnreadable(kLearnedPath);
  LearnedWordsFile file(files);
  LearnedWords learned;
  EXPECT_EQ(file.Load(learned), "cannot read the learned words " + kLearnedPath +
                                    ": Permission denied; words learned now are kept until the "
                                    "end only");
  learned.Learn("", "zebra", false);
  EXPECT_EQ(file.Save(learned), std::nullopt);
  EXPECT_TRUE(files.written().empty());
  EXPECT_EQ(learned.FindWord("zebra")->use.count, 1u);
}

TEST(WordFilesTest, UnreadableLinesAreReportedAndTheRestKept) {
  MemoryFileSystem files;
  files.WriteFile(kLearnedPath, "good\t2\t1\ngarbage\n");
  LearnedWords learned;
  EXPECT_EQ(LearnedWordsFile(files).Load(learned),
            "the learned words " + kLearnedPath + " had 1 unreadable lines, left out");
  EXPECT_EQ(learned.FindWord("good")->use.count, 2u);
}

TEST(WordFilesTest, WithoutADataFolderWordsAreKeptInMemory) {
  MemoryFileSystem files;
  files.set_data_folder("");
  LearnedWordsFile file(files);
  LearnedWords learned;
  EXPECT_EQ(file.Load(learned),
            "no folder for the learned words: they are kept until the end only");
  learned.Learn("", "zebra", false);
  EXPECT_EQ(file.Save(learned), std::nullopt);
  EXPECT_TRUE(files.written().empty());
}

}  // namespace
}  // namespace plinth::words

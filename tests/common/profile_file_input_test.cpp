// ProfileFile with large, hostile and missing input: it must read
// everything without harm and still find what is there.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/common/profile_file.h"

namespace plinth::platform {
namespace {

constexpr std::string_view kMissing = "(missing)";

std::string Lookup(ProfileFile& profile, std::string_view section, std::string_view key) {
  return profile.FindValue(section, key).value_or(std::string(kMissing));
}

std::string NoiseBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string noise(size, '\0');
  for (char& ch : noise) ch = static_cast<char>(byte(random));
  return noise;
}

TEST(ProfileFileInputTest, EmptyFileHasNoSections) {
  ProfileFile profile{""};
  EXPECT_EQ(Lookup(profile, "", ""), kMissing);
  EXPECT_EQ(Lookup(profile, "Configuration", "ShiftOperation"), kMissing);
}

TEST(ProfileFileInputTest, FindsTheSectionsOfAFiftyMegabyteFile) {
  const std::string filler(4000, 'x');
  std::string text;
  text.reserve(51 << 20);
  int sections = 0;
  while (text.size() < (50U << 20)) {
    const std::string n = std::to_string(sections++);
    text.append("[Button").append(n).append("]\r\nCaption=").append(n);
    text.append("\r\nIconFile=").append(filler).append("\r\n; ").append(filler).append("\r\n");
  }
  ProfileFile profile{std::move(text)};
  EXPECT_EQ(Lookup(profile, "Button0", "Caption"), "0");
  const std::string last = std::to_string(sections - 1);
  EXPECT_EQ(Lookup(profile, "Button" + last, "Caption"), last);
  EXPECT_EQ(Lookup(profile, "Button" + last, "IconFile").size(), Profile::kMaxValueLength);
  EXPECT_EQ(Lookup(profile, "Button" + std::to_string(sections), "Caption"), kMissing);
}

TEST(ProfileFileInputTest, ReadsAHundredThousandSections) {
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  }
  ProfileFile profile{std::move(text)};
  for (const char* n : {"0", "1", "50000", "99999"}) {
    EXPECT_EQ(Lookup(profile, std::string("s") + n, "K"), n);
  }
  EXPECT_EQ(Lookup(profile, "S100000", "k"), kMissing);
}

TEST(ProfileFileInputTest, ReadsMegabyteLines) {
  const std::string huge(1 << 20, 'x');
  ProfileFile profile{"[S]\nk=" + huge + "\n[" + huge + "]\n" + huge + "=v\nj=w\n"};
  EXPECT_EQ(Lookup(profile, "S", "k"), std::string(Profile::kMaxValueLength, 'x'));
  EXPECT_EQ(Lookup(profile, huge, huge), "v");
  EXPECT_EQ(Lookup(profile, huge, "j"), "w");
}

TEST(ProfileFileInputTest, FindsTheFirstOfManyRepeatedKeys) {
  std::string text = "[S]\n";
  for (int i = 0; i < 30000; ++i) {
    text += "key" + std::to_string(i % 10000) + "=" + std::to_string(i) + "\n";
  }
  ProfileFile profile{std::move(text)};
  EXPECT_EQ(Lookup(profile, "S", "KEY0"), "0");
  EXPECT_EQ(Lookup(profile, "S", "key5000"), "5000");
  EXPECT_EQ(Lookup(profile, "S", "key9999"), "9999");
  EXPECT_EQ(Lookup(profile, "S", "key10000"), kMissing);
}

TEST(ProfileFileInputTest, SurvivesBinaryNoise) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const std::string noise = NoiseBytes(1 << 20, seed);
    std::string text = noise;
    text += "\n[Button1]\nCaption=a\n";
    text += noise;
    ProfileFile profile{std::move(text)};
    EXPECT_EQ(Lookup(profile, "Button1", "Caption"), "a") << "seed " << seed;
    for (int cell = 2; cell <= 49; ++cell) {
      const std::string value = Lookup(profile, "Button" + std::to_string(cell), "Caption");
      EXPECT_LE(value.size(), Profile::kMaxValueLength);
    }
  }
}

}  // namespace
}  // namespace plinth::platform

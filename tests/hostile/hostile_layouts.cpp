#include "tests/hostile/hostile_layouts.h"

#include <fstream>
#include <random>
#include <sstream>

#include "platform/platform.h"

namespace plinth::hostile {
namespace {

// The largest file still read as a layout, but for a section of filler.
constexpr std::size_t kNearlyTheBound = platform::FileSystem::kMaxProfileFileSize - 2048;
constexpr std::size_t kOneMegabyte = std::size_t{1024} * 1024;

}  // namespace

std::string BundledLayout(const std::string& name) {
  std::ifstream in(std::string(PLINTH_LAYOUT_DIR) + name + ".ini", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string BinaryNoise(std::size_t size) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& ch : bytes) ch = static_cast<char>(byte(random));
  return bytes + kUsableButton;
}

std::string NulBytes() {
  using namespace std::string_literals;
  return "\0\0\0\r\n"s + "[But\0ton2]\r\nCaption=b\r\n"s + "[Button1]\r\nCaption=a\0zzz\r\n"s +
         "Ty\0pe=ACTION\r\n"s + "KeyString=\0\r\n"s + std::string(1000, '\0') +
         "\r\n[Button3]\r\n"s + "Caption=\0c\r\n"s;
}

std::string HugeFile(const std::string& base_layout, std::size_t size) {
  std::string bytes = kUsableButton + base_layout;
  bytes.reserve(size + 1024);
  for (std::size_t section = 0; bytes.size() < size; ++section) {
    bytes += "\r\n[Filler" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 16; ++key) {
      bytes += "Key" + std::to_string(key) + "=a value of filler text for a huge file\r\n";
    }
  }
  return bytes;
}

std::string LongLine(std::size_t length) {
  return ";" + std::string(length, 'c') + kUsableButton +
         "[Button2]\r\nCaption=" + std::string(length, 'x') + "\r\n";
}

std::string ManySections(std::size_t count) {
  std::string bytes;
  bytes.reserve(count * 24);
  for (std::size_t section = 0; section < count; ++section) {
    if (section == count / 2) bytes += kUsableButton;
    bytes += "[Section" + std::to_string(section) + "]\r\nKey=" + std::to_string(section) + "\r\n";
  }
  return bytes + "[Button1]\r\nCaption=z\r\n";
}

std::string EveryKeyRepeated() {
  return "[Button1]\r\nType=KEY\r\nType=ACTION\r\nCaption=a\r\nCaption=z\r\n"
         "KeyString=\r\nKeyString=ENTER\r\nHandler=\r\nHandler=EXTEND\r\n"
         "Action=\r\nAction=TERMINATE\r\nShifted=0\r\nShifted=1\r\n"
         "HomeButton=0\r\nHomeButton=-1\r\n";
}

std::string SectionsRepeated() {
  return std::string(kUsableButton) +
         "[Button1]\r\nCaption=z\r\n[BUTTON1]\r\nCaption=y\r\n[ button1 ]\r\nCaption=x\r\n" +
         kUsableButton;
}

std::string QuotesAndBlanks() {
  return "[ Button1 ]\r\n  Type =  KEY \r\n\tCaption\t=\t\"a\"  \r\n"
         "[Button2]\r\nCaption=' '\r\n"
         "[Button3]\r\nCaption=\"\"\r\n"
         "[Button4]\r\nCaption=\"a\r\n"
         "[Button5]\r\nCaption='b\"\r\n"
         "[Button6]\r\nCaption=  \"c d\"  e  \r\n";
}

std::string CrOnlyLineEnds() {
  return "[Button1]\rType=KEY\rCaption=a\r[Button2]\rCaption=b\r[ShiftButton2]\rCaption=c\r";
}

std::string Utf8WithBom() {
  return "\xEF\xBB\xBF[Button1]\r\nCaption=a\r\n[Button3]\r\nCaption=\xC3\xA9\r\n";
}

std::string Utf8Captions() {
  return std::string(kUsableButton) +
         "[Button3]\r\nCaption=\xC3\x84\r\n[Button4]\r\nCaption=\xE2\x82\xAC\r\n";
}

std::string Latin1Captions() {
  return std::string(kUsableButton) + "[Button3]\r\nCaption=\xC9\r\n[Button4]\r\nCaption=\xFF\r\n";
}

std::vector<HostileLayout> AllHostileLayouts(const std::string& base_layout) {
  return {
      {"BinaryNoise", [] { return BinaryNoise(kOneMegabyte); }},
      {"NulBytes", NulBytes},
      {"NearlyTheSizeBound", [&base_layout] { return HugeFile(base_layout, kNearlyTheBound); }},
      {"OneMegabyteLine", [] { return LongLine(kOneMegabyte); }},
      {"HundredThousandSections", [] { return ManySections(100000); }},
      {"EveryKeyRepeated", EveryKeyRepeated},
      {"SectionsRepeated", SectionsRepeated},
      {"QuotesAndBlanks", QuotesAndBlanks},
      {"CrOnlyLineEnds", CrOnlyLineEnds},
      {"Utf8WithBom", Utf8WithBom},
      {"Utf8Captions", Utf8Captions},
      {"Latin1Captions", Latin1Captions},
  };
}

}  // namespace plinth::hostile

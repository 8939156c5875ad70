#include "tests/win32/profile_cases.h"

#include <cstdint>
#include <ostream>
#include <string_view>

namespace plinth::conformance {
namespace {

using namespace std::string_literals;

// Lookups of several keys in one section.
std::vector<Lookup> Keys(const std::string& section, std::initializer_list<const char*> keys) {
  std::vector<Lookup> lookups;
  for (const char* key : keys) lookups.push_back({section, key});
  return lookups;
}

// `text` as a UTF-16 file with its byte-order mark.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const auto high = static_cast<char>(unit >> 8U);
    const auto low = static_cast<char>(unit & 0xFFU);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::vector<ProfileCase> MakeCases() {
  const std::string long_2047(2047, 'a');
  const std::string long_2048 = std::string(2047, 'b') + "c";
  const std::string long_5000(5000, 'd');

  return {
      // ---- letter case of section and key names
      {"letter case",
       "[Button1]\r\nCaption=a\r\nKEYSTRING=b\r\n[SHIFTBUTTON1]\r\nCaption=c\r\n",
       {{"Button1", "Caption"},
        {"button1", "caption"},
        {"BUTTON1", "CAPTION"},
        {"Button1", "KeyString"},
        {"ShiftButton1", "caption"},
        {"Button1 ", "Caption"},
        {" Button1", " Caption "}}},
      {"letter case beyond ASCII",
       "[S\xC4]\r\nk\xE4=1\r\n[\xE9t\xE9]\r\nv=2\r\n",
       {{"S\xC4", "k\xE4"}, {"S\xE4", "k\xE4"}, {"S\xC4", "K\xC4"}, {"\xC9T\xC9", "v"}}},

      // ---- blanks and tabs
      {"blanks around names and values",
       "  [ Sec ]  \r\n  Key  =  a b  \r\n\tTab\t=\tc\t\r\nEmpty=\r\nBlank=   \r\n",
       Keys("Sec", {"Key", "Tab", "Empty", "Blank", "Missing"})},
      {"blank inside names",
       "[Two Words]\r\nkey name=1\r\nkey  name=2\r\n",
       {{"Two Words", "key name"},
        {"Two  Words", "key name"},
        {"Two Words", "key  name"},
        {"TwoWords", "keyname"}}},

      // ---- quotes
      {"quotes",
       "[Q]\r\n"
       "double=\"x\"\r\n"
       "single='x'\r\n"
       "open=\"x\r\n"
       "close=x\"\r\n"
       "mixed=\"x'\r\n"
       "empty=\"\"\r\n"
       "lone=\"\r\n"
       "inner blanks=\" x \"\r\n"
       "outer blanks =  \"x\"  \r\n"
       "inside=a\"b\"c\r\n"
       "twice=\"a\"\"b\"\r\n"
       "single lone='\r\n",
       Keys("Q", {"double", "single", "open", "close", "mixed", "empty", "lone", "inner blanks",
                  "outer blanks", "inside", "twice", "single lone"})},
      {"quoted names",
       "[\"Q\"]\r\n\"k\"=1\r\n[R]\r\n'k'=2\r\n",
       {{"\"Q\"", "\"k\""}, {"Q", "k"}, {"R", "'k'"}, {"R", "k"}}},

      // ---- comments and odd lines
      {"comments",
       ";[Hidden]\r\n[C]\r\n;k=1\r\n  ;k2=2\r\nk3=3 ;not a comment\r\n#k4=4\r\n//k5=5\r\nk6=6\r\n",
       Keys("C", {"k", "k2", "k3", "#k4", "k4", "//k5", "k6"})},
      {"odd lines",
       "[O]\r\nno equals sign\r\n=no "
       "key\r\nk=v=w\r\nk2==x\r\n[unclosed\r\nk3=3\r\n[a]b]\r\nk4=4\r\n"
       "[] \r\nk5=5\r\n",
       {{"O", "no equals sign"},
        {"O", ""},
        {"O", "k"},
        {"O", "k2"},
        {"O", "k3"},
        {"[unclosed", "k3"},
        {"a", "k4"},
        {"a]b", "k4"},
        {"", "k5"}}},
      {"section line with text after it",
       "[S] trailing text\r\nk=1\r\n[T];comment\r\nk=2\r\n",
       {{"S", "k"}, {"T", "k"}}},
      {"keys before the first section", "k=0\r\n[S]\r\nk=1\r\n", {{"S", "k"}, {"", "k"}}},

      // ---- repeated keys and sections
      {"repeated keys", "[R]\r\nk=first\r\nK=second\r\nk=third\r\n", Keys("R", {"k", "K"})},
      {"repeated sections", "[R]\r\na=1\r\n[Other]\r\nx=0\r\n[r]\r\na=2\r\nb=3\r\n[R]\r\nc=4\r\n",
       Keys("R", {"a", "b", "c"})},
      {"empty section then its repeat", "[E]\r\n[F]\r\nf=1\r\n[E]\r\ne=2\r\n", Keys("E", {"e"})},

      // ---- long values
      {"long values",
       "[L]\r\nexact=" + long_2047 + "\r\nover=" + long_2048 + "\r\nhuge=" + long_5000 +
           "\r\nafter=ok\r\n",
       Keys("L", {"exact", "over", "huge", "after"})},
      {"long line without a key", "[L]\r\n" + long_5000 + "\r\nk=1\r\n", Keys("L", {"k"})},

      // ---- values a layer inherits when its section leaves them out
      {"values with blanks and quotes",
       "[Button26]\r\nCaption=Spc\r\nKeyString=\" \"\r\n"
       "[Button27]\r\nCaption=\"a \"\r\nKeyString='\"q\"'\r\nEmpty=\r\nQuotes=\"\"\r\n"
       "[ShiftButton26]\r\nCaption=S\r\n",
       {{"Button26", "KeyString"},
        {"Button27", "Caption"},
        {"Button27", "KeyString"},
        {"Button27", "Empty"},
        {"Button27", "Quotes"},
        {"Button27", "Missing"},
        {"ShiftButton26", "KeyString"},
        {"ExtButton26", "KeyString"}}},

      // ---- byte-order marks and encodings
      {"UTF-8 byte-order mark, ASCII", "\xEF\xBB\xBF[B]\r\nk=v\r\n", Keys("B", {"k"})},
      {"UTF-8 byte-order mark, accented",
       "\xEF\xBB\xBF[B]\r\nk=caf\xC3\xA9\r\n\xC3\xA9=1\r\neuro=\xE2\x82\xAC\r\n",
       {{"B", "k"}, {"B", "\xE9"}, {"B", "euro"}}},
      {"UTF-8 without a byte-order mark", "[U]\r\nk=caf\xC3\xA9\r\n", Keys("U", {"k"})},
      {"Windows-1252 bytes", "[W]\r\nk=caf\xE9 \x80 \x9F\r\n", Keys("W", {"k"})},
      {"UTF-8 byte-order mark, beyond the code page",
       "\xEF\xBB\xBF[B]\r\nk=\xC5\x91\r\ncjk=\xE6\xBC\xA2\r\nemoji=\xF0\x9F\x98\x80!\r\n",
       Keys("B", {"k", "cjk", "emoji"})},
      {"UTF-16 little-endian byte-order mark", Utf16(u"[B]\r\nk=v\r\n", false), Keys("B", {"k"})},
      {"UTF-16 big-endian byte-order mark", Utf16(u"[B]\r\nk=v\r\n", true), Keys("B", {"k"})},
      {"UTF-16 little-endian, accented",
       Utf16(u"[B\u00C9]\r\nk=caf\u00E9 \u20AC \u0178\r\n\u00E9=1\r\n", false),
       {{"B\xC9", "k"}, {"B\xC9", "\xE9"}, {"b\xC9", "k"}}},
      {"UTF-16 big-endian, accented", Utf16(u"[B]\r\nk=caf\u00E9 \u20AC\r\n", true),
       Keys("B", {"k"})},
      {"UTF-16, beyond the code page",
       Utf16(u"[B]\r\nk=\u0151\r\ncjk=\u6F22\r\nemoji=\U0001F600!\r\nlone=a\xD800"
             u"b\r\n",
             false),
       Keys("B", {"k", "cjk", "emoji", "lone"})},
      {"UTF-16, values with blanks and quotes", Utf16(u"[B]\r\nk=\" \"\r\nq='\"q\"'\r\n", true),
       Keys("B", {"k", "q", "missing"})},

      // ---- line endings
      {"CRLF", "[E]\r\na=1\r\nb=2\r\n", Keys("E", {"a", "b"})},
      {"LF", "[E]\na=1\nb=2\n", Keys("E", {"a", "b"})},
      {"CR alone", "[E]\ra=1\rb=2\r", Keys("E", {"a", "b"})},
      {"mixed endings, last line unended", "[E]\r\na=1\nb=2\rc=3", Keys("E", {"a", "b", "c"})},
      {"blank lines", "\r\n\r\n[E]\r\n\r\n\r\na=1\r\n\r\n", Keys("E", {"a"})},

      // ---- bytes that end text early
      {"NUL in a value", "[N]\r\nk=ab\0cd\r\nk2=2\r\n"s, Keys("N", {"k", "k2"})},
      {"empty file", "", Keys("E", {"k"})},
  };
}

void PrintEscaped(std::ostream& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '|') {
      out << c;
    } else {
      out << "\\x" << kHex[byte >> 4u] << kHex[byte & 0x0Fu];
    }
  }
}

// A long value is shown by its length, its ends and a hash of all of it.
void PrintValue(std::ostream& out, const std::string& value) {
  constexpr std::size_t kShown = 64, kEnd = 16;
  if (value.size() <= kShown) {
    PrintEscaped(out, value);
    return;
  }
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : value) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  const std::string_view text(value);
  PrintEscaped(out, text.substr(0, kEnd));
  out << "...(" << value.size() << " bytes, hash " << std::hex << hash << std::dec << ")...";
  PrintEscaped(out, text.substr(text.size() - kEnd));
}

}  // namespace

const std::vector<ProfileCase>& ProfileCases() {
  static const std::vector<ProfileCase> cases = MakeCases();
  return cases;
}

void PrintResults(std::ostream& out, const ProfileReader& read) {
  for (const ProfileCase& profile_case : ProfileCases()) {
    for (const Lookup& lookup : profile_case.lookups) {
      out << profile_case.name << " | [";
      PrintEscaped(out, lookup.section);
      out << "] ";
      PrintEscaped(out, lookup.key);
      const std::optional<std::string> value = read(profile_case, lookup);
      if (value) {
        out << " | = ";
        PrintValue(out, *value);
      } else {
        out << " | missing";
      }
      out << '\n';
    }
  }
}

}  // namespace plinth::conformance

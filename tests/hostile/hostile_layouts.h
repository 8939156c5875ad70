#pragma once

// Layout files nobody should write, made on demand: noise, NUL bytes, huge
// files and lines, endless sections, repeats, odd quoting, odd line endings
// and encodings. Large ones are generated, never kept in the repository.
//
// Every file but the pure noise ends in (or holds) a usable [Button1] whose
// caption is "a", so that a test can check that the keyboard still types.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace plinth::hostile {

// The bytes of a layout bundled with the keyboard ("Default", "Extend", ...).
std::string BundledLayout(const std::string& name);

// The usable button, with CR LF line ends.
inline constexpr const char* kUsableButton = "\r\n[Button1]\r\nType=KEY\r\nCaption=a\r\n";

struct HostileLayout {
  std::string name;                   // a word for test and benchmark names
  std::function<std::string()> make;  // the file's content, made when asked for
};

// Random bytes from a fixed seed, then the usable button.
std::string BinaryNoise(std::size_t size);
// NUL bytes inside names, values and between lines.
std::string NulBytes();
// The usable button, then the bundled Default layout (whose own Button1 is
// now a repeat), grown to `size` bytes by sections of filler.
std::string HugeFile(const std::string& base_layout, std::size_t size);
// A caption of `length` characters on Button2, and a comment line of that
// length without any line end before it.
std::string LongLine(std::size_t length);
// `count` sections with a key each, the usable button among them.
std::string ManySections(std::size_t count);
// Every key of Button1 given twice, the first with the usable value.
std::string EveryKeyRepeated();
// The usable section, then the same section again in other letter cases.
std::string SectionsRepeated();
// Values with quotes and blanks around them, on Button1..Button6.
std::string QuotesAndBlanks();
// The usable button and a few others with lone CR line ends.
std::string CrOnlyLineEnds();
// A UTF-8 file with its byte-order mark; Button3's caption is "é".
std::string Utf8WithBom();
// UTF-8 without the mark: Button3 "Ä", Button4 "€".
std::string Utf8Captions();
// Windows-1252 (Latin-1) bytes: Button3 "É", Button4 "ÿ".
std::string Latin1Captions();

// The whole corpus with the sizes the tests use; the file nearly as large as a layout may be is
// made from `base_layout`, which must outlive the result.
std::vector<HostileLayout> AllHostileLayouts(const std::string& base_layout);

}  // namespace plinth::hostile

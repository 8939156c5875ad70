#pragma once

// plinth-layout suggest, clicks and scan: the keyboard's word suggestions
// on typed text, and the clicks or scan steps a text takes with a layout.

#include <istream>
#include <ostream>
#include <span>
#include <string>

#include "tools/layout_tool/layout_reading.h"

namespace plinth::layout_tool {

// The bundled word list's file name, looked up as a layout is.
inline constexpr const char* kDefaultWordList = "English.words";

// suggest [-n N] [--words FILE] [--learn]: for each line of `in`, the
// suggestions after typing it.
int Suggest(std::span<const std::string> args, std::istream& in, std::ostream& out,
            std::ostream& err, const LayoutSearch& search);

// clicks LAYOUT TEXTFILE: clicks per character without and with the
// layout's suggestions.
int Clicks(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const LayoutSearch& search);

// scan LAYOUT TEXTFILE: switch-scanning steps and choices per character
// without and with the layout's suggestions.
int Scan(std::span<const std::string> args, std::ostream& out, std::ostream& err,
         const LayoutSearch& search);

// The keys of one line of suggest's input: its characters as written,
// '\n' for \n (Enter), '\t' for \t, '\b' for \b (Backspace), '\\' for \\.
// Nothing when the line holds another escape; `error` says which.
std::optional<std::string> KeysOfLine(std::string_view line, std::string& error);

}  // namespace plinth::layout_tool

#pragma once

// The stable text form of a resolved layout, one line per record that is
// not empty (the form is described in the tool's --help).

#include <ostream>
#include <string>
#include <string_view>

#include "src/layout/button_rec.h"
#include "tools/layout_tool/layout_reading.h"
#include "tools/layout_tool/quoted_text.h"

namespace plinth::layout_tool {

// "Type=\"KEY\" Caption=\"a\" ...": Type always, every other field only
// when it is not empty, zero or false.
std::string RecordText(const TButtonRec& rec);

// The latch settings, then every record that differs from both the
// template record and the empty record, layer by layer, cell by cell.
void DumpLayout(const ResolvedLayout& layout, std::ostream& out);

}  // namespace plinth::layout_tool

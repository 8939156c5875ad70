#pragma once

// Checks of a layout file line by line: lines and names the reader or the
// loader ignores, repeated sections and keys, values it misreads or cuts.

#include "src/layout/button_rec.h"
#include "tools/layout_tool/check_context.h"
#include "tools/layout_tool/findings.h"
#include "tools/layout_tool/profile_lines.h"

namespace plinth::layout_tool {

void CheckLines(const ProfileLines& lines, const TLayerSuffix& layer_suffix,
                const CheckContext& context, Findings& findings);

}  // namespace plinth::layout_tool

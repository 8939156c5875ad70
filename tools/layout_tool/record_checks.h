#pragma once

// Checks of the records as the loader fills them, inheritance included:
// words the keyboard does not know, key names missing from the key table,
// keys that type something other than their label shows.

#include "src/layout/button_rec.h"
#include "tools/layout_tool/check_context.h"
#include "tools/layout_tool/field_origins.h"
#include "tools/layout_tool/findings.h"

namespace plinth::layout_tool {

void CheckRecords(const TButtonArray& table, const FieldOrigins& origins,
                  const TLayerSuffix& layer_suffix, const CheckContext& context,
                  Findings& findings);

}  // namespace plinth::layout_tool

#pragma once

// Characters of a UTF-8 or UTF-16 layout file that Windows-1252 cannot
// hold: the keyboard reads each as '?', so its button shows or types "?".

#include <string>
#include <vector>

#include "platform/common/profile_text.h"
#include "tools/layout_tool/findings.h"
#include "tools/layout_tool/profile_lines.h"

namespace plinth::layout_tool {

// `text` is the decoded file text that `lines` were read from, `lost` what
// its decoding turned into '?'.
void CheckLostCharacters(const std::string& text, const std::vector<platform::LostCharacter>& lost,
                         const ProfileLines& lines, Findings& findings);

}  // namespace plinth::layout_tool

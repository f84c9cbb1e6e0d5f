// The skin layout file of a window: section "SCREEN" with its background,
// mask and link, "BUTTONINFO" with every control's "left,top,width,height",
// "BUTTONINFO2" with the extra positions.
#pragma once

#include <string>

#include "tools/skin_generator/skin_description.h"

namespace skingen {

std::string SkinIniText(const Window& window);

}  // namespace skingen

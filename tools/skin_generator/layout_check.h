// The rules every layout keeps, checked before anything is written so a
// slip in a rectangle fails the build instead of shipping: each rectangle
// strictly inside its window (clear of the 1-pixel frame and of (1, 1),
// which the program reads as "missing"), unique keys, and no overlaps
// except between variants sharing a place and between controls of
// different dialog pages (which must lie inside the page backdrop).
#pragma once

#include <string>
#include <vector>

#include "tools/skin_generator/skin_description.h"

namespace skingen {

inline constexpr const char* kPageBackdrop = "CONTROL_MASK";

std::vector<std::string> LayoutProblems(const Window& window);

}  // namespace skingen

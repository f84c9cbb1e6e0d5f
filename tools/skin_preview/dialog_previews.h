// The key-assignment dialog on each of its pages, the profile manager and
// the firmware update dialog, filled as the program fills them.
#pragma once

#include <memory>

#include "skin/base_dialog.h"
#include "tools/skin_preview/preview_context.h"

namespace preview {

enum class CompositePage { kSingleKey, kMacro, kMultimedia, kFunction, kMacroOnly };

std::unique_ptr<skin::CBaseDialog> BuildCompositeDialog(PreviewContext& context,
                                                        CompositePage page);
std::unique_ptr<skin::CBaseDialog> BuildProfileDialog(PreviewContext& context);
std::unique_ptr<skin::CBaseDialog> BuildUpdateDialog(PreviewContext& context);

}  // namespace preview

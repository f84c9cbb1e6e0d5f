// The main window with its keyboard and lighting panel, as the program
// shows it, for a chosen effect and lighting mode.
#pragma once

#include <memory>

#include "skin/base_dialog.h"
#include "tools/skin_preview/preview_context.h"

namespace preview {

struct MainPreviewOptions {
  int effect = 1;
  bool lightingMode = true;
  // Shows a few keys with assignments, one under the mouse and one pressed.
  bool sampleStates = true;
};

std::unique_ptr<skin::CBaseDialog> BuildMainWindow(PreviewContext& context,
                                                   const MainPreviewOptions& options);

}  // namespace preview

// The lighting panel of the main window: its controls, the pictures its
// picture controls show, and its framing.
#pragma once

#include <functional>
#include <vector>

#include "tools/skin_generator/skin_description.h"

namespace skingen {

struct PanelPart {
  std::vector<Control> controls;
  std::vector<Picture> pictures;
  std::function<void(QPainter&)> chrome;
};

// The panel filling `area`; its image buttons (the report rates) are the
// ones whose face is set.
PanelPart LightingPanel(const QRect& area);

}  // namespace skingen

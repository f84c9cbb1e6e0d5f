// The four skinned windows, each described completely: its controls,
// state images and pictures.
#pragma once

#include "tools/skin_generator/skin_description.h"

namespace skingen {

Window MainWindow();
Window CompositeWindow();
Window ProfileWindow();
Window UpdateWindow();

}  // namespace skingen

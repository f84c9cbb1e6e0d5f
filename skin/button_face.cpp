#include "skin/button_face.h"

#include <cmath>

namespace skin {

ButtonFace ChooseButtonFace(const ButtonFlags& flags) {
  if (!flags.enabled) return ButtonFace::kDisabled;
  if (flags.toggleMode) return flags.toggleOn ? ButtonFace::kToggleB : ButtonFace::kToggleA;
  if (flags.pressed) return ButtonFace::kPressed;
  if (flags.hover) return ButtonFace::kHover;
  if (flags.selected) return ButtonFace::kSelected;
  return ButtonFace::kNormal;
}

int CaptionColourIndex(ButtonFace face) {
  switch (face) {
    case ButtonFace::kNormal:
      return 0;
    case ButtonFace::kHover:
      return 1;
    case ButtonFace::kPressed:
      return 2;
    case ButtonFace::kDisabled:
      return 3;
    case ButtonFace::kSelected:
      return 4;
    case ButtonFace::kToggleA:
    case ButtonFace::kToggleB:
      break;
  }
  return -1;
}

int CaptionFontHeight(int pointSize, int dotsPerInch) {
  // A multiply-divide that rounds half away from zero.
  const long long product = static_cast<long long>(pointSize) * dotsPerInch;
  const long long rounded = product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
  return static_cast<int>(-rounded);
}

int CaptionFontWeight(bool rotate) {
  return rotate ? 956 : 400;
}

CaptionBox RotatedCaptionBox(CaptionBox box, int escapement, int textWidth, int textHeight) {
  const double theta = escapement / 10.0 * 3.1415927 / 180.0;
  const int dx = static_cast<int>(textWidth * std::cos(theta));
  const int dy = static_cast<int>(textWidth * std::sin(theta));
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  if (dx < width) {
    box.left += (width - dx) / 2 - static_cast<int>(textHeight * std::sin(theta) * 0.5);
  }
  if (dy < height) {
    box.bottom += -((height - dy) / 2) - static_cast<int>(textHeight * std::cos(theta) * -0.5);
  }
  return box;
}

}  // namespace skin

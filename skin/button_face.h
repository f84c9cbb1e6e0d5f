// What an image button shows, decided from its flags, and where its caption
// goes: the logic of the skinned buttons without any drawing, so it can be
// checked on its own.
#pragma once

namespace skin {

// The picture a button shows. Toggle buttons show one of their own two
// pictures instead of a state image.
enum class ButtonFace { kNormal, kHover, kPressed, kDisabled, kSelected, kToggleA, kToggleB };

struct ButtonFlags {
  bool enabled = true;
  bool toggleMode = false;
  bool toggleOn = false;
  bool pressed = false;
  bool hover = false;
  bool selected = false;
};

// First match wins: disabled, toggle (B when on), pressed, hover, selected,
// normal. So a disabled toggle shows the disabled image, and a pressed key
// that has an assignment shows the pressed image.
ButtonFace ChooseButtonFace(const ButtonFlags& flags);

// The text colour that goes with a face, as an index into the caption's five
// colours (normal, hover, pressed, disabled, selected); -1 for the toggle
// faces, which keep the colour of the last paint.
int CaptionColourIndex(ButtonFace face);

// The caption font: height -(points × dpi ÷ 72), rounded to the nearest
// pixel; weight 956 (bold) for rotated captions, 400 otherwise.
int CaptionFontHeight(int pointSize, int dotsPerInch);
int CaptionFontWeight(bool rotate);

struct CaptionBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const CaptionBox&) const = default;
};

// The text rectangle of a rotated caption. `escapement` is in tenths of a
// degree; the caption measures textWidth × textHeight in its font. The box
// is re-centred for the width the turned text takes across (left edge) and
// down (bottom edge), with integer parts taken as the buttons always have.
CaptionBox RotatedCaptionBox(CaptionBox box, int escapement, int textWidth, int textHeight);

}  // namespace skin

// Faces of the main window that are not plain keys or buttons: the brand,
// the G keys, the Flip controls, the lock indicators and the segments.
#pragma once

#include <QtCore/QString>

#include "tools/skin_generator/skin_description.h"

namespace skingen {

// The word mark with a small keyboard glyph; it lights up on hover.
FacePainter BrandFace();
// A G key: a plain cap (the program draws its caption) with a dim corner mark.
FacePainter GKeyFace(int number);
// The Flip indicator: "F1–F4" in variant 0, "D1–D6" in variant 1.
FacePainter FlipIndicatorFace();
// A lock indicator: an LED and a word; the LED is lit in the selected look.
FacePainter LockFace(const QString& word);
// The G-bank indicator: bank "A" in variant 0, "B" in variant 1.
FacePainter BankFace();
// A segment of a segmented control, with an optional legend.
FacePainter SegmentFace(const QString& legend = QString());

}  // namespace skingen

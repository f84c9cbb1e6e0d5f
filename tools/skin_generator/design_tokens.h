// The design tokens of the skin: every colour, radius and spacing the
// pictures use, in one place so the look can be retuned without touching the
// drawing code.
#pragma once

#include <QtGui/QColor>

namespace skingen::tokens {

// Surfaces, darkest first.
inline constexpr QRgb kBar = 0xFF111317;      // top and bottom bars
inline constexpr QRgb kWindow = 0xFF15171C;   // the window body
inline constexpr QRgb kSurface = 0xFF1B1E24;  // the keyboard deck and the panels
inline constexpr QRgb kWell = 0xFF101216;     // wells for edits, lists and combos
inline constexpr QRgb kTrack = 0xFF121419;    // tracks of segmented controls

// Lines.
inline constexpr QRgb kBorder = 0xFF2B2F38;
inline constexpr QRgb kDivider = 0xFF262A32;
inline constexpr QRgb kShadow = 0x70000000;  // soft shadow below caps and buttons

// Keycaps and buttons.
inline constexpr QRgb kCap = 0xFF262A33;
inline constexpr QRgb kCapTop = 0xFF2E333D;  // the top of the cap's gradient
inline constexpr QRgb kCapEdge = 0xFF363B47;
inline constexpr QRgb kCapHighlight = 0x22FFFFFF;  // the thin top highlight line
inline constexpr QRgb kCapHover = 0xFF323844;
inline constexpr QRgb kCapHoverTop = 0xFF3A404D;
inline constexpr QRgb kCapPressed = 0xFF1A1D23;
inline constexpr QRgb kCapDisabled = 0xFF1D2026;
inline constexpr QRgb kCapDisabledEdge = 0xFF262931;

// Text.
inline constexpr QRgb kText = 0xFFE4E4E4;
inline constexpr QRgb kTextMuted = 0xFF9AA1AD;
inline constexpr QRgb kTextFaint = 0xFF636A76;  // corner marks and disabled legends

// The one accent, and the colours derived from it.
inline constexpr QRgb kAccent = 0xFF3DD6C8;
inline constexpr QRgb kAccentBright = 0xFF7FF0E6;
inline constexpr int kSelectedTint = 88;     // accent share (of 255) in a selected cap
inline constexpr int kPressedTint = 34;      // accent share in a pressed cap
inline constexpr QRgb kDanger = 0xFFE5484D;  // hover of the close button
inline constexpr QRgb kLedOff = 0xFF3A3F4A;

// Geometry, in pixels.
// Spacing follows an 8-pixel rhythm.
inline constexpr int kMargin = 16;         // from the window's edge to its surfaces and buttons
inline constexpr int kPadding = 16;        // inside a surface, around its content
inline constexpr int kGap = 8;             // between neighbouring buttons
inline constexpr int kWindowRadius = 12;   // corners of every window and of its mask
inline constexpr int kSurfaceRadius = 10;  // the deck and the panels
inline constexpr int kCapRadius = 6;
inline constexpr int kButtonRadius = 6;
inline constexpr int kSmallRadius = 4;

// Legend sizes, in pixels.
inline constexpr int kLegendChar = 14;     // single characters
inline constexpr int kLegendShifted = 11;  // each line of a two-line legend
inline constexpr int kLegendWord = 10;     // words such as "Backspace"
inline constexpr int kLabel = 12;          // button legends and titles' sub-text
inline constexpr int kTitle = 16;          // dialog titles
inline constexpr int kMark = 9;            // corner marks and small captions

}  // namespace skingen::tokens

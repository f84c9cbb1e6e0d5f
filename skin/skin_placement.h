// Placing the controls of a skinned window from its skin file: the Qt half
// of the skin layout readers.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <string>
#include <string_view>

#include "skin/png_button.h"

namespace skin {

// Moves the button to its rectangle, gives it the five state images with
// its own position as image origin, and disables it when the skin leaves it
// at (1, 1).
void PlaceImageButton(CPngButton* button, const std::string& skinFile, std::string_view section,
                      std::string_view key, const QPixmap* normal, const QPixmap* over,
                      const QPixmap* down, const QPixmap* disabled, const QPixmap* selected);
// Moves and sizes any control to its rectangle.
void PlaceControl(QWidget* control, const std::string& skinFile, std::string_view section,
                  std::string_view key);
// Moves a control to the rectangle's corner, keeping its size, and repaints it.
void PlaceControlAt(QWidget* control, const std::string& skinFile, std::string_view section,
                    std::string_view key);
// Moves the button to the rectangle of `key`; its picture comes from `image`
// at the corner of `originKey`, in every state.
void PlaceWithImageOrigin(CPngButton* button, const std::string& skinFile, std::string_view section,
                          std::string_view key, std::string_view originSection,
                          std::string_view originKey, const QPixmap* image);

}  // namespace skin

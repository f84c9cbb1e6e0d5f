// What every window preview needs: the program folder whose skin it shows,
// the language texts, and the windows' shared pictures (kept for the run,
// as the program keeps them).
#pragma once

#include <QPixmap>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "settings/language_table.h"
#include "skin/base_dialog.h"
#include "skin/color_static.h"
#include "skin/png_button.h"
#include "skin/skin_placement.h"

namespace preview {

class PreviewContext {
 public:
  explicit PreviewContext(std::string programFolder);

  std::string SkinFile(const char* name) const { return skinFolder_ + "/" + name; }
  const std::string& skinFolder() const { return skinFolder_; }
  // A picture of the skin folder, loaded once.
  const QPixmap* Picture(const std::string& name);
  QString Text(const char* key) const;
  QString Light(const char* key) const;
  QString Mode(int effect) const;
  // A skinned window of the skin file, initialised.
  std::unique_ptr<skin::CBaseDialog> Window(int templateId, const char* skinFile) const;

 private:
  std::string programFolder_;
  std::string skinFolder_;
  settings::LanguageTable languages_;
  std::map<std::string, QPixmap> pictures_;
};

// The caption look of the captioned buttons: light grey, dimmed when disabled.
skin::CaptionStyle ButtonCaption(int pointSize = 9);

// A button placed from the skin with the five images of a picture set.
skin::CPngButton* AddButton(skin::CBaseDialog* window, const std::string& skinFile,
                            const std::string& key, const QPixmap* const images[5]);

// Any control moved and sized to its rectangle.
template <typename Control>
Control* Placed(const std::string& skinFile, const char* key, Control* control) {
  skin::PlaceControl(control, skinFile, skin::kButtonSection, key);
  return control;
}

// A label in the skin's text colour, placed from the skin.
skin::ColorStatic* AddLabel(skin::CBaseDialog* window, const std::string& skinFile, const char* key,
                            const QString& text, int pixelHeight = 13);

}  // namespace preview

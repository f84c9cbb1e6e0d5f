#include "tools/skin_preview/preview_context.h"

#include "skin/control_style.h"
#include "skin/skin_images.h"
#include "skin/skin_placement.h"

namespace preview {

PreviewContext::PreviewContext(std::string programFolder)
    : programFolder_(std::move(programFolder)),
      skinFolder_(programFolder_ + "/Skins"),
      languages_(programFolder_, nullptr, [] { return uint16_t{0x0409}; }) {}

const QPixmap* PreviewContext::Picture(const std::string& name) {
  auto found = pictures_.find(name);
  if (found == pictures_.end())
    found = pictures_.emplace(name, skin::LoadSkinPicture(skinFolder_ + "/" + name)).first;
  return &found->second;
}

QString PreviewContext::Text(const char* key) const {
  return QString::fromStdString(languages_.LookupText(key, 0));
}
QString PreviewContext::Light(const char* key) const {
  return QString::fromStdString(languages_.LookupLight(key, 0));
}
QString PreviewContext::Mode(int effect) const {
  return QString::fromStdString(languages_.LookupMode(std::to_string(effect), 0));
}

std::unique_ptr<skin::CBaseDialog> PreviewContext::Window(int templateId,
                                                          const char* skinFile) const {
  auto window =
      std::make_unique<skin::CBaseDialog>(templateId, nullptr, SkinFile(skinFile), skinFolder_);
  window->Initialise();
  return window;
}

skin::CaptionStyle ButtonCaption(int pointSize) {
  const skin::SkinColours& colours = skin::Colours();
  skin::CaptionStyle style;
  style.enabled = true;
  style.pointSize = pointSize;
  style.face = QStringLiteral("DejaVu Sans");
  style.colours = {colours.text, Qt::white, colours.text, colours.dimText, colours.window};
  return style;
}

skin::CPngButton* AddButton(skin::CBaseDialog* window, const std::string& skinFile,
                            const std::string& key, const QPixmap* const images[5]) {
  auto* button = new skin::CPngButton(window);
  skin::PlaceImageButton(button, skinFile, skin::kButtonSection, key, images[0], images[1],
                         images[2], images[3], images[4]);
  return button;
}

skin::ColorStatic* AddLabel(skin::CBaseDialog* window, const std::string& skinFile, const char* key,
                            const QString& text, int pixelHeight) {
  auto* label = Placed(skinFile, key, new skin::ColorStatic(text, window));
  label->SetTextColour(skin::Colours().text);
  label->SetFontHeight(pixelHeight);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setWordWrap(true);
  return label;
}

}  // namespace preview

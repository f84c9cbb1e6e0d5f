#include "skin/skin_placement.h"

#include "skin/skin_layout.h"

namespace skin {
namespace {
QRect ToQRect(const SkinRect& rect) {
  return QRect(rect.left, rect.top, rect.width, rect.height);
}
}  // namespace

void PlaceImageButton(CPngButton* button, const std::string& skinFile, std::string_view section,
                      std::string_view key, const QPixmap* normal, const QPixmap* over,
                      const QPixmap* down, const QPixmap* disabled, const QPixmap* selected) {
  const ImageButtonPlacement placement = PlaceImageButton(skinFile, section, key);
  button->setGeometry(ToQRect(placement.rect));
  button->SetPlacedImages(placement.originX, placement.originY, normal, over, down, disabled,
                          selected, true);
  if (!placement.enabled) button->setEnabled(false);
}

void PlaceControl(QWidget* control, const std::string& skinFile, std::string_view section,
                  std::string_view key) {
  control->setGeometry(ToQRect(ReadSkinRect(skinFile, section, key)));
}

void PlaceControlAt(QWidget* control, const std::string& skinFile, std::string_view section,
                    std::string_view key) {
  const SkinRect rect = ReadSkinRect(skinFile, section, key);
  control->move(rect.left, rect.top);
  control->update();
}

void PlaceWithImageOrigin(CPngButton* button, const std::string& skinFile, std::string_view section,
                          std::string_view key, std::string_view originSection,
                          std::string_view originKey, const QPixmap* image) {
  const ImageOriginPlacement placement =
      PlaceWithImageOrigin(skinFile, section, key, originSection, originKey);
  button->setGeometry(ToQRect(placement.rect));
  button->SetPlacedImages(placement.originX, placement.originY, image, image, image, image, image,
                          true);
}

}  // namespace skin

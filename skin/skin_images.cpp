#include "skin/skin_images.h"

#include <QString>
#include <cstdlib>

namespace skin {

void EndProcessQuietly() {
  std::_Exit(0);
}

QImage TryLoadImage(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) return QImage();
  return image;
}

QPixmap LoadSkinPicture(const std::string& path) {
  const QImage image = TryLoadImage(path);
  if (image.isNull()) EndProcessQuietly();
  return QPixmap::fromImage(image);
}

}  // namespace skin

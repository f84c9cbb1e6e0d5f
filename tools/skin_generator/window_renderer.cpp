#include "tools/skin_generator/window_renderer.h"

#include <QtGui/QImageWriter>

namespace skingen {

QImage RenderStateImage(const Window& window, const StateImage& state) {
  QImage image(window.size, QImage::Format_RGB32);
  QPainter p(&image);
  window.paintChrome(p);
  for (const Control& control : window.controls) {
    if (!control.face) continue;
    const std::optional<Face> face = state.faceOf(control);
    if (!face) continue;
    const QRect box = control.rect.translated(-1, -1);
    p.save();
    // Only inside the rectangle itself: the box's top row and left column lie
    // outside it and must read the same in every state.
    p.setClipRect(box & control.rect);
    control.face(p, box, *face);
    p.restore();
  }
  return image;
}

QImage RenderMask(QSize size, int radius) {
  QImage mask(size, QImage::Format_RGB32);
  mask.fill(QColor(0, 0, 0));
  const QRgb outside = qRgb(255, 255, 255);
  const double r = radius;
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      const double cx = x + 0.5;
      const double cy = y + 0.5;
      // Distance past the straight edges, towards the nearest corner.
      const double dx = cx < r ? r - cx : (cx > size.width() - r ? cx - (size.width() - r) : 0);
      const double dy = cy < r ? r - cy : (cy > size.height() - r ? cy - (size.height() - r) : 0);
      if (dx > 0 && dy > 0 && dx * dx + dy * dy > r * r) mask.setPixel(x, y, outside);
    }
  }
  return mask;
}

bool SaveImage(const QImage& image, const QString& path) {
  QImageWriter writer(path);
  const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
  if (suffix == QLatin1String("jpg")) {
    writer.setFormat("jpeg");
    writer.setQuality(95);
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
  }
  if (suffix == QLatin1String("bmp")) {
    writer.setFormat("bmp");
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
  }
  writer.setFormat("png");
  return writer.write(image);
}

}  // namespace skingen

// Turns a window's description into pictures: the state images, the mask
// and the separate pictures, and saves them by their file names' type.
#pragma once

#include <QtCore/QString>
#include <QtGui/QImage>

#include "tools/skin_generator/skin_description.h"

namespace skingen {

// The chrome with every control's face for that image, each drawn into its
// rectangle moved one pixel up and left, clipped to the rectangle.
QImage RenderStateImage(const Window& window, const StateImage& image);

// Pure black inside the rounded window outline, pure white outside: a pixel
// is inside when its centre is.
QImage RenderMask(QSize size, int radius);

// JPEG (quality 95), BMP (24-bit) or PNG, by the name's suffix.
bool SaveImage(const QImage& image, const QString& path);

}  // namespace skingen

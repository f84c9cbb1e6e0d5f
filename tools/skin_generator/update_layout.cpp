#include <QtCore/QString>

#include "tools/skin_generator/layouts.h"
#include "tools/skin_generator/painter_style.h"

namespace skingen {
namespace {

constexpr QSize kSize(520, 240);
constexpr QRect kPathWell(24, 72, 360, 36);

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

}  // namespace

Window UpdateWindow() {
  Window w;
  w.iniFile = "UpdateDlg.ini";
  w.size = kSize;
  w.background = "update_normal.jpg";
  w.mask = "update_mask.bmp";

  std::vector<QRect> raised;
  auto add = [&](std::string key, QRect rect, FacePainter face = {}) {
    if (face) raised.push_back(rect);
    w.controls.push_back({std::move(key), rect, std::move(face), -1, {}});
  };
  // The chosen updater's path, written by the program inside the well.
  add("CONTROL_UPStatic", kPathWell.adjusted(8, 6, -8, -6));
  add("CONTROL_OPENButton", QRect(392, 74, 104, 32),
      LabelledButtonFace(QStringLiteral("Choose\u2026"), Icon::kFolder));
  // Never shown: a small spot in the empty top right corner.
  add("CONTROL_UPCombox", QRect(488, 16, 16, 16));
  const int row = kSize.height() - 24 - 32;
  add("CONTROL_BACKUPButton", QRect(24, row, 120, 32),
      LabelledButtonFace(QStringLiteral("Back up"), Icon::kDisk));
  add("CONTROL_UPButton", QRect(264, row, 112, 32),
      LabelledButtonFace(QStringLiteral("Update"), Icon::kUpload, ButtonTone::kAccent));
  add("CONTROL_CUPButton", QRect(384, row, 112, 32), LabelledButtonFace(QStringLiteral("Cancel")));

  w.paintChrome = [raised, row](QPainter& p) {
    PaintWindowBody(p, kSize);
    PaintIcon(p, Icon::kUpload, QRectF(24, 22, 18, 18), C(tokens::kAccent), 1.6);
    PaintText(p, QRect(52, 18, 360, 26), QStringLiteral("Firmware update"),
              UiFont(tokens::kTitle, true), C(tokens::kText), Qt::AlignLeft | Qt::AlignVCenter);
    PaintWell(p, kPathWell, tokens::kButtonRadius);
    PaintDivider(p, QPoint(24, row - 24), QPoint(495, row - 24));
    for (const QRect& rect : raised) PaintShadow(p, rect, tokens::kButtonRadius);
    PaintWindowBorder(p, kSize);
  };
  // The program shows the over picture for hover, pressed, disabled and
  // selected alike.
  w.images = {
      {"update_normal.jpg", [](const Control&) { return Face{Look::kNormal}; }},
      {"update_over.jpg", [](const Control&) { return Face{Look::kHover}; }},
  };
  return w;
}

}  // namespace skingen

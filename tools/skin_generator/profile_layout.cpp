#include <QtCore/QString>

#include "tools/skin_generator/layouts.h"
#include "tools/skin_generator/painter_style.h"

namespace skingen {
namespace {

constexpr QSize kSize(520, 380);
constexpr QRect kList(24, 56, 472, 216);

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

// The program shows the down picture for pressed and for disabled buttons,
// so the down look is a quiet sunken face: pushed in, without the accent,
// with a muted legend.
FacePainter ProfileButtonFace(const QString& text, Icon icon) {
  return [text, icon](QPainter& p, const QRect& box, const Face& face) {
    if (face.look != Look::kPressed) {
      const QRect content = PaintButton(p, box, face.look);
      PaintIconAndText(p, content, icon, text, IconColour(face.look, ButtonTone::kNeutral), 14);
      return;
    }
    QRect body = BodyOf(box);
    body.setTop(body.top() + 1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(C(tokens::kCapEdge), 1));
    p.setBrush(C(tokens::kCapPressed));
    p.drawRoundedRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5), tokens::kButtonRadius,
                      tokens::kButtonRadius);
    p.restore();
    PaintIconAndText(p, body, icon, text, C(tokens::kTextMuted), 14);
  };
}

}  // namespace

Window ProfileWindow() {
  Window w;
  w.iniFile = "Profile.ini";
  w.size = kSize;
  w.background = "Profile_normal.jpg";
  w.mask = "Profile_mask.bmp";

  std::vector<QRect> raised;
  auto add = [&](std::string key, QRect rect, FacePainter face = {}) {
    if (face) raised.push_back(rect);
    w.controls.push_back({std::move(key), rect, std::move(face), -1, {}});
  };
  add("PROGRAM_LIST", kList);
  const int row = kList.bottom() + 1 + tokens::kPadding;
  add("FUNC_ADD", QRect(24, row, 104, 32), ProfileButtonFace(QStringLiteral("New"), Icon::kPlus));
  add("FUNC_LOAD", QRect(136, row, 104, 32),
      ProfileButtonFace(QStringLiteral("Open"), Icon::kFolder));
  add("FUNC_DELETE", QRect(248, row, 112, 32),
      ProfileButtonFace(QStringLiteral("Remove"), Icon::kTrash));
  const int bottom = kSize.height() - tokens::kMargin - 32;
  add("CONTROL_OK", QRect(192, bottom, 96, 32),
      ProfileButtonFace(QStringLiteral("OK"), Icon::kNone));
  add("CONTROL_CANCEL", QRect(296, bottom, 96, 32),
      ProfileButtonFace(QStringLiteral("Cancel"), Icon::kNone));
  add("CONTROL2_APPLY", QRect(400, bottom, 96, 32),
      ProfileButtonFace(QStringLiteral("Apply"), Icon::kNone));

  w.paintChrome = [raised, row, bottom](QPainter& p) {
    PaintWindowBody(p, kSize);
    PaintIcon(p, Icon::kProfiles, QRectF(24, 18, 18, 18), C(tokens::kAccent), 1.6);
    PaintText(p, QRect(52, 14, 300, 26), QStringLiteral("Profiles"), UiFont(tokens::kTitle, true),
              C(tokens::kText), Qt::AlignLeft | Qt::AlignVCenter);
    // The list draws itself; the well frames it.
    PaintWell(p, kList.adjusted(-1, -1, 1, 1));
    const int divider = (row + 32 + bottom) / 2;
    PaintDivider(p, QPoint(24, divider), QPoint(495, divider));
    for (const QRect& rect : raised) PaintShadow(p, rect, tokens::kButtonRadius);
    PaintWindowBorder(p, kSize);
  };
  w.images = {
      {"Profile_normal.jpg", [](const Control&) { return Face{Look::kNormal}; }},
      {"Profile_over.jpg", [](const Control&) { return Face{Look::kHover}; }},
      {"Profile_down.jpg", [](const Control&) { return Face{Look::kPressed}; }},
  };
  return w;
}

}  // namespace skingen

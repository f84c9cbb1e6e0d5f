#include <QtCore/QString>

#include "tools/skin_generator/layouts.h"
#include "tools/skin_generator/painter_style.h"

namespace skingen {
namespace {

constexpr QSize kSize(720, 528);
constexpr QRect kTabTrack(24, 72, 672, 40);
constexpr QRect kBackdrop(24, 120, 672, 344);

enum Page { kKeyPage = 0, kMacroPage = 1, kMediaPage = 2, kFunctionPage = 3 };

QColor C(QRgb rgba) {
  return QColor::fromRgba(rgba);
}

// A page tab: a segment with the page's icon at its left edge; the program
// centres the caption. The active tab (variant 1) is accent-tinted in every
// image of its set.
FacePainter TabFace(Icon icon) {
  return [icon](QPainter& p, const QRect& box, const Face& face) {
    const bool active = face.variant == kVariantSecond;
    const Look look = active ? Look::kSelected : face.look;
    const QRect body = PaintSegment(p, box, look);
    QColor colour = look == Look::kNormal ? C(tokens::kTextMuted) : LegendColour(look);
    if (active) colour = C(tokens::kAccentBright);
    PaintIcon(p, icon, QRectF(body.left() + 12, body.center().y() - 7, 15, 15), colour);
  };
}

// The title picture: a keycap (variant 0) or a macro glyph (variant 1) on an
// accent tile; the same in every look.
FacePainter TitleFace() {
  return [](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = BodyOf(box);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Mix(C(tokens::kSurface), C(tokens::kAccent), 120), 1));
    p.setBrush(Mix(C(tokens::kSurface), C(tokens::kAccent), 45));
    p.drawRoundedRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
    p.restore();
    const Icon glyph = face.variant == kVariantSecond ? Icon::kMacro : Icon::kKeycap;
    PaintIcon(p, glyph, QRectF(body).adjusted(8, 8, -8, -8), C(tokens::kAccentBright), 1.8);
  };
}

// A button whose caption the program centres, with a small icon at its left.
FacePainter LeadingIconFace(Icon icon) {
  return [icon](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = PaintButton(p, box, face.look);
    const QColor colour =
        face.look == Look::kNormal ? C(tokens::kTextMuted) : LegendColour(face.look);
    PaintIcon(p, icon, QRectF(body.left() + 9, body.center().y() - 6, 12, 12), colour);
  };
}

// Mode buttons and the check box: the pressed-in picture is the chosen one.
FacePainter RadioFace() {
  return [](QPainter& p, const QRect& box, const Face& face) {
    const QPointF centre = QRectF(BodyOf(box)).center();
    const QColor accent = C(tokens::kAccent);
    const bool chosen = face.look == Look::kPressed || face.look == Look::kSelected;
    QColor ring = C(tokens::kTextMuted);
    if (face.look == Look::kHover || chosen) ring = accent;
    if (face.look == Look::kDisabled) ring = C(tokens::kTextFaint);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ring, 1.5));
    p.setBrush(face.look == Look::kHover ? C(tokens::kCapHover) : C(tokens::kWell));
    p.drawEllipse(centre, 8, 8);
    if (chosen) {
      p.setPen(Qt::NoPen);
      p.setBrush(accent);
      p.drawEllipse(centre, 4, 4);
    }
    p.restore();
  };
}

FacePainter CheckFace() {
  return [](QPainter& p, const QRect& box, const Face& face) {
    const QRectF square = QRectF(BodyOf(box)).adjusted(1.5, 1.5, -1.5, -1.5);
    const QColor accent = C(tokens::kAccent);
    const bool chosen = face.look == Look::kPressed || face.look == Look::kSelected;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor edge = face.look == Look::kHover ? accent : C(tokens::kTextMuted);
    if (face.look == Look::kDisabled) edge = C(tokens::kTextFaint);
    p.setPen(chosen ? QPen(accent, 1) : QPen(edge, 1.2));
    p.setBrush(chosen ? accent
                      : (face.look == Look::kHover ? C(tokens::kCapHover) : C(tokens::kWell)));
    p.drawRoundedRect(square, 3, 3);
    p.restore();
    if (chosen) PaintIcon(p, Icon::kCheck, square.adjusted(1, 1, -1, -1), C(tokens::kWindow), 2.0);
  };
}

struct Frame {
  int page;
  QRect rect;
  bool hint;    // an accent-edged hint box (holding its control) instead of a well
  Icon emblem;  // a large faint glyph filling an otherwise empty area
};

// The page backdrop: a surface with the wells of the page whose number is
// the variant. Like every face it is drawn one pixel up and left, so the
// wells are too, and they land around their controls on screen.
FacePainter BackdropFace(std::vector<Frame> frames) {
  return [frames](QPainter& p, const QRect& box, const Face& face) {
    const QRect body = BodyOf(box);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(C(tokens::kBorder), 1));
    p.setBrush(C(tokens::kSurface));
    p.drawRoundedRect(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5), tokens::kSurfaceRadius,
                      tokens::kSurfaceRadius);
    p.restore();
    for (const Frame& frame : frames) {
      if (frame.page != face.variant) continue;
      const QRect r = frame.rect.translated(-1, -1);
      if (frame.emblem != Icon::kNone) {
        PaintIcon(p, frame.emblem, QRectF(r), Mix(C(tokens::kSurface), C(tokens::kAccent), 34),
                  1.2);
        continue;
      }
      if (!frame.hint) {
        PaintWell(p, r.adjusted(-1, -1, 1, 1));
        continue;
      }
      const QRect& hint = r;
      p.save();
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      p.setBrush(Mix(C(tokens::kSurface), C(tokens::kAccent), 16));
      p.drawRoundedRect(QRectF(hint), 6, 6);
      p.setBrush(C(tokens::kAccent));
      p.drawRoundedRect(QRectF(hint.left(), hint.top() + 6, 3, hint.height() - 12), 1.5, 1.5);
      p.restore();
    }
  };
}

}  // namespace

Window CompositeWindow() {
  Window w;
  w.iniFile = "Composite.ini";
  w.size = kSize;
  w.background = "composite_bg.jpg";
  w.mask = "composite_mask.bmp";

  std::vector<Frame> frames;
  auto add = [&w](std::string key, QRect rect, FacePainter face = {}, int page = -1) {
    w.controls.push_back({std::move(key), rect, std::move(face), page, {}});
  };
  auto well = [&](std::string key, QRect rect, int page) {
    frames.push_back({page, rect, false, Icon::kNone});
    add(std::move(key), rect, {}, page);
  };

  // Header, tabs and dialog buttons, on every page.
  add("CONTROL_TITLE", QRect(24, 16, 40, 40), TitleFace());
  add("KEY_SETTING", QRect(76, 24, 300, 24));
  add("CONTROL_CLEAR", QRect(656, 20, 40, 32),
      IconButtonFace(Icon::kEraser, ButtonTone::kNeutral, 18));
  const struct {
    const char* key;
    Icon icon;
  } tabs[] = {{"CONTROL_KEY", Icon::kKeycap},
              {"CONTROL_MACRO", Icon::kMacro},
              {"CONTROL_MEDIA", Icon::kMedia},
              {"CONTROL_FUNCTION", Icon::kFunction}};
  std::vector<QRect> tabRects;
  for (int i = 0; i < 4; ++i) {
    tabRects.push_back(QRect(kTabTrack.left() + 2 + i * 168, kTabTrack.top() + 2, 164, 36));
    add(tabs[i].key, tabRects.back(), TabFace(tabs[i].icon));
  }
  // The backdrop comes before the page controls: their faces go on top.
  const std::size_t backdrop = w.controls.size();
  add("CONTROL_MASK", kBackdrop);
  const int buttonTop = kBackdrop.bottom() + 1 + tokens::kPadding;
  add("CONTROL_OK", QRect(392, buttonTop, 96, 32), PlainButtonFace());
  add("CONTROL_CANCEL", QRect(496, buttonTop, 96, 32), PlainButtonFace());
  add("CONTROL2_APPLY", QRect(600, buttonTop, 96, 32), PlainButtonFace());

  // Single key: the captured key, keyboard or mouse mode, the hint.
  well("FUNC_KEY_INPUT", QRect(48, 144, 280, 40), kKeyPage);
  add("CONTROL_OSK", QRect(336, 144, 40, 40),
      IconButtonFace(Icon::kKeyboard, ButtonTone::kNeutral, 22), kKeyPage);
  add("FUNC_KEY_RADIO_KB", QRect(48, 208, 24, 24), RadioFace(), kKeyPage);
  add("FUNC_KEY_RADIO_KB_STATIC", QRect(80, 208, 200, 24), {}, kKeyPage);
  add("FUNC_KEY_RADIO_MOU", QRect(48, 248, 24, 24), RadioFace(), kKeyPage);
  add("FUNC_KEY_RADIO_MOU_STATIC", QRect(80, 248, 160, 24), {}, kKeyPage);
  well("FUNC_KEY_MOUSE_LIST", QRect(248, 246, 224, 28), kKeyPage);
  const QRect hint(48, 384, 624, 48);
  frames.push_back({kKeyPage, hint, true, Icon::kNone});
  add("TISHI_SINGLE_STATIC", hint.adjusted(16, 4, -8, -4), {}, kKeyPage);

  // Macro: the macro list with add and delete, the action table and its
  // column of buttons, recording options below.
  add("MARCO_NAME_SETTING", QRect(48, 146, 112, 24), {}, kMacroPage);
  well("FUNC_MACRO_LIST", QRect(168, 144, 240, 28), kMacroPage);
  add("FUNC_MACRO_ADD", QRect(416, 144, 28, 28),
      IconButtonFace(Icon::kPlus, ButtonTone::kNeutral, 14), kMacroPage);
  add("FUNC_MACRO_DELETE", QRect(452, 144, 28, 28),
      IconButtonFace(Icon::kTrash, ButtonTone::kNeutral, 14), kMacroPage);
  well("FUNC_MACRO_LIST2", QRect(48, 184, 432, 220), kMacroPage);
  const struct {
    const char* key;
    Icon icon;
  } actions[] = {{"FUNC_MACRO_RECORD", Icon::kRecord},
                 {"FUNC_MACRO_DELETE2", Icon::kCross},
                 {"FUNC_MACRO_CLEAR", Icon::kClearList},
                 {"FUNC_MACRO_UP_TOP", Icon::kTop},
                 {"FUNC_MACRO_UP", Icon::kUp},
                 {"FUNC_MACRO_DOWN", Icon::kDown},
                 {"FUNC_MACRO_DOWN_BOTTOM", Icon::kBottom}};
  for (int i = 0; i < 7; ++i)
    add(actions[i].key, QRect(496, 184 + i * 32, 176, 28), LeadingIconFace(actions[i].icon),
        kMacroPage);
  add("FUNC_MACRO_RECORD_DELAY", QRect(48, 418, 20, 20), CheckFace(), kMacroPage);
  add("FUNC_MACRO_RECORD_DELAY2", QRect(76, 416, 216, 24), {}, kMacroPage);
  add("FUNC_MACRO_CYCLES_PROMPT", QRect(300, 416, 112, 24), {}, kMacroPage);
  well("FUNC_MACRO_CYCLES", QRect(420, 416, 60, 24), kMacroPage);

  // Multimedia and keyboard functions: a prompt and a list each.
  add("MEDIA_SETTING_TISHI", QRect(48, 144, 576, 24), {}, kMediaPage);
  well("FUNC_MEDIA_SELECT", QRect(48, 176, 320, 256), kMediaPage);
  frames.push_back({kMediaPage, QRect(464, 224, 128, 128), false, Icon::kMedia});
  add("FUNCTION_KEY_SETTING_TISHI", QRect(48, 144, 576, 24), {}, kFunctionPage);
  well("FUNC_FUNCTION_SELECT", QRect(48, 176, 320, 256), kFunctionPage);
  frames.push_back({kFunctionPage, QRect(464, 224, 128, 128), false, Icon::kFunction});

  w.controls[backdrop].face = BackdropFace(frames);

  w.paintChrome = [tabRects](QPainter& p) {
    PaintWindowBody(p, kSize);
    PaintTrack(p, kTabTrack);
    PaintSegmentGaps(p, tabRects);
    PaintDivider(p, QPoint(24, kBackdrop.bottom() + 8), QPoint(695, kBackdrop.bottom() + 8));
    PaintWindowBorder(p, kSize);
  };

  // One set per page, plus the macro-only set. A set draws the controls of
  // its page only; the variant picks the active tab, the page's backdrop
  // and the title glyph.
  const char* tabKeys[] = {"CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION"};
  auto faceIn = [tabKeys](int page, bool macroOnly, Look look) {
    return [=](const Control& c) -> std::optional<Face> {
      if (c.page >= 0 && c.page != page) return std::nullopt;
      if (c.key == "CONTROL_MASK") return Face{look, page};
      if (c.key == "CONTROL_TITLE") return Face{look, macroOnly ? kVariantSecond : kVariantFirst};
      for (int i = 0; i < 4; ++i)
        if (c.key == tabKeys[i]) return Face{look, i == page ? kVariantSecond : kVariantFirst};
      return Face{look};
    };
  };
  w.images.push_back({"composite_bg.jpg", [](const Control&) { return std::optional<Face>(); }});
  const struct {
    const char* prefix;
    int page;
    bool macroOnly;
    bool hasDisabled;
  } sets[] = {{"key", kKeyPage, false, false},
              {"macro", kMacroPage, false, true},
              {"media", kMediaPage, false, false},
              {"function", kFunctionPage, false, false},
              {"macro2", kMacroPage, true, true}};
  for (const auto& set : sets) {
    const std::string prefix = set.prefix;
    w.images.push_back({prefix + "_normal.jpg", faceIn(set.page, set.macroOnly, Look::kNormal)});
    w.images.push_back({prefix + "_over.jpg", faceIn(set.page, set.macroOnly, Look::kHover)});
    w.images.push_back({prefix + "_down.jpg", faceIn(set.page, set.macroOnly, Look::kPressed)});
    if (set.hasDisabled)
      w.images.push_back(
          {prefix + "_disable.jpg", faceIn(set.page, set.macroOnly, Look::kDisabled)});
  }
  return w;
}

}  // namespace skingen

#include <QtCore/QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "model/button_table.h"
#include "skin/skin_layout.h"
#include "tools/skin_generator/keyboard_geometry.h"
#include "tools/skin_generator/layouts.h"
#include "tools/skin_generator/lighting_panel.h"
#include "tools/skin_generator/main_window_faces.h"
#include "tools/skin_generator/painter_style.h"
#include "tools/skin_generator/panel_pictures.h"

namespace skingen {
namespace {

constexpr QSize kSize(1240, 768);
// Bands from the top: the bar, the keyboard deck, the lighting panel, the
// bar of dialog buttons.
constexpr QRect kTopBar(0, 0, 1240, 48);
constexpr QRect kDeck(tokens::kMargin, 56, 1240 - 2 * tokens::kMargin, 392);
constexpr QRect kPanel(tokens::kMargin, 464, 1240 - 2 * tokens::kMargin, 248);
constexpr QRect kBottomBar(0, 720, 1240, 48);

// The keyboard's unit grid: Esc's cell is at kKeyOrigin; the band above the
// function row (the D keys and the Flip controls) starts one unit higher,
// together with the G-key column, whose nine keys span band and keyboard.
constexpr QPoint kKeyOrigin(104, 120);
constexpr int kBandTop = kKeyOrigin.y() - kKeyUnit;
constexpr int kGColumnLeft = 32;
constexpr int kGPitch = 40;  // 9 × 40 = the 7.5 units from band to bottom row
constexpr int kBandKeyHeight = 36;

QRect BandRect(int x, int width) {
  return QRect(x, kBandTop + kKeyMargin, width, kBandKeyHeight);
}

// A 12 × 16 arrow, vertically centred on the band's keys.
QRect ArrowSpot(int x) {
  return QRect(x, kBandTop + kKeyMargin + (kBandKeyHeight - 16) / 2, 12, 16);
}

}  // namespace

Window MainWindow() {
  Window w;
  w.iniFile = "Main.ini";
  w.size = kSize;
  w.background = "main_normal.jpg";
  w.mask = "main_mask.bmp";
  w.link = "https://quorvane.example/";

  // Keys, indicators and toggles: their "disabled" picture is the selected look.
  std::set<std::string> selectable;
  std::vector<QRect> raised;  // caps and buttons that cast a shadow on the chrome
  auto add = [&](std::string key, QRect rect, FacePainter face = {}) {
    w.controls.push_back({std::move(key), rect, std::move(face), -1, {}});
  };
  auto addKey = [&](std::string key, QRect rect, FacePainter face) {
    selectable.insert(key);
    raised.push_back(rect);
    add(std::move(key), rect, std::move(face));
  };
  auto addButton = [&](std::string key, QRect rect, FacePainter face) {
    raised.push_back(rect);
    add(std::move(key), rect, std::move(face));
  };

  // Top bar: brand and version, the profile switch, the window buttons.
  add("VELMAR_LINK", QRect(16, 8, 176, 32), BrandFace());
  add("VELMAR_VER", QRect(200, 14, 96, 20));
  const QRect profileTrack(458, 8, 324, 32);
  std::vector<QRect> profileSegments;
  for (int i = 0; i < 3; ++i) {
    const std::string key = "FUNC_PROFILE" + std::to_string(i + 1);
    selectable.insert(key);
    profileSegments.push_back(QRect(profileTrack.left() + 2 + i * 108, 10, 104, 28));
    add(key, profileSegments.back(), SegmentFace());
  }
  addButton("FUNC_PROFILES", QRect(800, 10, 120, 28),
            LabelledButtonFace(QStringLiteral("Profiles"), Icon::kProfiles));
  add("CONTROL_MENU", QRect(1076, 10, 32, 28), IconButtonFace(Icon::kMenu, ButtonTone::kGhost));
  add("CONTROL_HELP", QRect(1112, 10, 32, 28), IconButtonFace(Icon::kHelp, ButtonTone::kGhost));
  add("CONTROL_MINIMIZE", QRect(1156, 10, 32, 28),
      IconButtonFace(Icon::kMinimise, ButtonTone::kGhost));
  add("CONTROL_CLOSE", QRect(1192, 10, 32, 28), IconButtonFace(Icon::kClose, ButtonTone::kDanger));

  // The G keys, a column left of the main block.
  for (int i = 0; i < 9; ++i)
    addKey(skin::GKeySkinKey(i + 1),
           QRect(kGColumnLeft + kKeyMargin, kBandTop + kKeyMargin + i * kGPitch,
                 kKeyUnit - 2 * kKeyMargin, kGPitch - 4),
           GKeyFace(i + 1));

  // The D keys above F1..F6, aligned with them.
  const int dCells[] = {8, 12, 16, 20, 26, 30};
  for (int i = 0; i < 6; ++i) {
    const QString legend = QStringLiteral("D%1").arg(i + 1);
    addKey("KEY_D" + std::to_string(i + 1),
           BandRect(kKeyOrigin.x() + dCells[i] * kQuarter + kKeyMargin, kKeyUnit - 2 * kKeyMargin),
           KeyFace(legend));
  }

  // The Flip switch right of the D keys, above F7..F10: arrow, indicator,
  // arrow, with the hover arrows' spots outside them.
  const int flipLeft = kKeyOrigin.x() + 34 * kQuarter + 24;
  const QRect leftArrow = ArrowSpot(flipLeft);
  const QRect flip1 = BandRect(leftArrow.right() + 5, 28);
  const QRect flip0 = BandRect(flip1.right() + 5, 96);
  const QRect flip2 = BandRect(flip0.right() + 5, 28);
  const QRect rightArrow = ArrowSpot(flip2.right() + 5);
  addButton("FUNC_FLIP1", flip1, IconButtonFace(Icon::kChevronLeft, ButtonTone::kNeutral, 12));
  addButton("FUNC_FLIP0", flip0, FlipIndicatorFace());
  addButton("FUNC_FLIP2", flip2, IconButtonFace(Icon::kChevronRight, ButtonTone::kNeutral, 12));
  w.positions.push_back({"LEFT_ARROW", leftArrow, {}});
  w.positions.push_back({"RIGHT_ARROW", rightArrow, {}});

  // The 105 key buttons, named by their slots, and Fn.
  std::set<std::string> names;
  for (const model::KeyButton& button : model::KeyButtons()) {
    const KeyCell& cell = KeyCellOf(button.controlId);
    const std::string name = KeyButtonName(button.code);
    if (!names.insert(name).second) {
      std::fprintf(stderr, "quorvane-skingen: two keys share %s\n", name.c_str());
      std::abort();
    }
    addKey(name, KeyRectAt(cell, kKeyOrigin), KeyFace(QString::fromUtf8(cell.legend)));
  }
  const KeyCell& fn = KeyCellOf(model::kFnButtonId);
  addKey("KEY_FN", KeyRectAt(fn, kKeyOrigin), KeyFace(QString::fromUtf8(fn.legend)));

  // The lock and bank indicators take the function row's empty place above
  // the numeric pad (its cells start at 76 quarter units).
  const char* indicators[][2] = {
      {"LOCK_NUM", "Num"}, {"LOCK_CAPS", "Caps"}, {"LOCK_SCROLL", "Scroll"}, {"LOCK_AB", ""}};
  for (int i = 0; i < 4; ++i) {
    const std::string key = indicators[i][0];
    const KeyCell place{0, 76 + 4 * i, 0, 4, 4, ""};
    selectable.insert(key);
    add(key, KeyRectAt(place, kKeyOrigin),
        key == "LOCK_AB" ? BankFace() : LockFace(QString::fromLatin1(indicators[i][1])));
  }

  // The lighting panel.
  PanelPart panel = LightingPanel(kPanel);
  for (Control& control : panel.controls) {
    if (control.face) selectable.insert(control.key);
    w.controls.push_back(std::move(control));
  }
  w.pictures = std::move(panel.pictures);

  // Bottom bar: macro manager and defaults at the left, the dialog buttons
  // at the right, the hidden switch in the corner.
  const int buttonTop = kBottomBar.top() + tokens::kGap;
  addButton("FUNC_MACRO", QRect(tokens::kMargin, buttonTop, 120, 32), PlainButtonFace());
  addButton("FUNC_DEFAULT", QRect(144, buttonTop, 136, 32), PlainButtonFace());
  addButton("CONTROL_OK", QRect(904, buttonTop, 96, 32), PlainButtonFace());
  addButton("CONTROL_CANCEL", QRect(1008, buttonTop, 96, 32), PlainButtonFace());
  addButton("CONTROL2_APPLY", QRect(1112, buttonTop, 96, 32), PlainButtonFace());
  add("FUNC_SWITCH", QRect(1216, buttonTop + 8, 16, 16));

  // The sprite sheet of the Flip arrows: left and right, each dim ("up")
  // and bright ("down"), on the deck's colour. The sheet's spots sit where,
  // read as window positions, they would cover nothing either.
  const QSize sheet(16, 74);
  const struct {
    const char* key;
    bool pointsLeft;
    bool pressed;
  } sprites[] = {{"UP_ARROW_LEFT1", true, false},
                 {"DOWN_ARROW_LEFT1", true, true},
                 {"UP_ARROW_RIGHT1", false, false},
                 {"DOWN_ARROW_RIGHT1", false, true}};
  std::vector<std::pair<QRect, std::pair<bool, bool>>> spots;
  for (int i = 0; i < 4; ++i) {
    const QRect spot(2, 2 + i * 18, leftArrow.width(), leftArrow.height());
    w.positions.push_back({sprites[i].key, spot, "Arrow.jpg"});
    spots.push_back({spot, {sprites[i].pointsLeft, sprites[i].pressed}});
  }
  w.pictures.push_back({"Arrow.jpg", [sheet, spots] {
                          QImage image(sheet, QImage::Format_RGB32);
                          image.fill(QColor::fromRgba(tokens::kSurface));
                          QPainter p(&image);
                          for (const auto& [spot, kind] : spots)
                            PaintArrowSprite(p, spot, kind.first, kind.second);
                          return image;
                        }});

  const std::function<void(QPainter&)> panelChrome = panel.chrome;
  w.paintChrome = [raised, profileTrack, profileSegments, panelChrome](QPainter& p) {
    PaintWindowBody(p, kSize);
    PaintBar(p, kSize, kTopBar, true);
    PaintTrack(p, profileTrack);
    PaintSegmentGaps(p, profileSegments);
    PaintDivider(p, QPoint(1150, 18), QPoint(1150, 30));
    PaintSurface(p, kDeck);
    panelChrome(p);
    PaintBar(p, kSize, kBottomBar, false);
    for (const QRect& rect : raised) PaintShadow(p, rect);
    PaintWindowBorder(p, kSize);
  };

  auto variant = [](const Control& c, const char* key) {
    return c.key == key ? kVariantSecond : kVariantFirst;
  };
  w.images = {
      {"main_normal.jpg", [](const Control&) { return Face{Look::kNormal}; }},
      {"main_over.jpg",
       [variant](const Control& c) {
         return Face{Look::kHover, variant(c, "LOCK_AB")};
       }},
      {"main_down.jpg",
       [variant](const Control& c) {
         return Face{Look::kPressed, variant(c, "LOCK_AB")};
       }},
      {"main_disable.jpg",
       [variant, selectable](const Control& c) {
         if (selectable.count(c.key) != 0) return Face{Look::kSelected, variant(c, "LOCK_AB")};
         return Face{Look::kDisabled};
       }},
      {"main_color0.jpg",
       [variant](const Control& c) {
         return Face{Look::kNormal, variant(c, "FUNC_FLIP0")};
       }},
      {"main_color1.jpg",
       [variant](const Control& c) {
         return Face{Look::kHover, std::max(variant(c, "FUNC_FLIP0"), variant(c, "LOCK_AB"))};
       }},
  };
  return w;
}

}  // namespace skingen

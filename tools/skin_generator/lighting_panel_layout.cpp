#include <QtCore/QString>

#include "tools/skin_generator/lighting_panel.h"
#include "tools/skin_generator/main_window_faces.h"
#include "tools/skin_generator/painter_style.h"
#include "tools/skin_generator/panel_pictures.h"

namespace skingen {
namespace {

// The panel is a grid: five columns of 36-pixel rows, with a hairline between
// the columns. Controls are centred in their row.
constexpr int kPadding = tokens::kPadding;
constexpr int kRowPitch = 36;
constexpr int kColumnGap = 24;
constexpr int kColumnWidths[] = {224, 208, 224, 224, 200};
constexpr int kColumnCount = 5;
constexpr int kLabelWidth = 112;
constexpr int kLabelHeight = 20;

struct Grid {
  QRect area;
  int column(int c) const {
    int x = area.left() + kPadding;
    for (int i = 0; i < c; ++i) x += kColumnWidths[i] + kColumnGap;
    return x;
  }
  int columnRight(int c) const { return column(c) + kColumnWidths[c]; }
  int row(int r) const { return area.top() + kPadding + r * kRowPitch; }
  // A rectangle of the given size in row r, vertically centred, at x.
  QRect at(int x, int r, int width, int height) const {
    return QRect(x, row(r) + (kRowPitch - height) / 2, width, height);
  }
  QRect label(int c, int r) const { return at(column(c), r, kLabelWidth, kLabelHeight); }
  // Flush with the column's right edge.
  QRect right(int c, int r, int width, int height) const {
    return at(columnRight(c) - width, r, width, height);
  }
};

QString N(const char* text) {
  return QString::fromLatin1(text);
}

}  // namespace

PanelPart LightingPanel(const QRect& area) {
  PanelPart part;
  const Grid g{area};
  const QRgb bg = tokens::kSurface;
  auto add = [&part](std::string key, QRect rect, std::string sharesWith = {}) {
    part.controls.push_back({std::move(key), rect, {}, -1, std::move(sharesWith)});
  };
  auto picture = [&part](std::string file, std::function<QImage()> draw) {
    part.pictures.push_back({std::move(file), std::move(draw)});
  };

  // Column 0: lighting on/off and the effect; the report rate at the foot,
  // which stays visible when the lighting is off.
  add("CONTROL_DengStatic", g.label(0, 0));
  const QRect busy = g.at(g.columnRight(0) - 48 - 8 - 24, 0, 24, 24);
  add("CONTROL_JDTStatic", busy);
  const QRect power = g.right(0, 0, 48, 24);
  add("CONTROL_DengStaPic", power);
  add("CONTROL_XGcombox", g.at(g.column(0), 1, kColumnWidths[0], 28));
  add("CONTROL_UsbStatic", g.label(0, 4));
  const QRect reportTrack = g.at(g.column(0), 5, kColumnWidths[0], 32);
  const char* rates[] = {"1000", "500", "250", "125"};
  std::vector<QRect> rateSegments;
  for (int i = 0; i < 4; ++i) {
    const QRect rect(reportTrack.left() + 2 + i * 56, reportTrack.top() + 2, 52, 28);
    rateSegments.push_back(rect);
    part.controls.push_back(
        {"FUNC_REPORT" + std::to_string(i + 1), rect, SegmentFace(N(rates[i])), -1, {}});
  }

  // Column 1: brightness, speed and direction.
  add("CONTROL_LightStatic", g.label(1, 0));
  const QRect light = g.at(g.column(1), 1, 204, 28);
  add("CONTROL_LightSlider", light);
  add("CONTROL_SpeedStatic", g.label(1, 2));
  const QRect speed = g.at(g.column(1), 3, 204, 28);
  add("CONTROL_SpeedSlider", speed);
  // The three direction variants share one place: the program moves the
  // label and the two pictures there per effect.
  const QRect directionLabel = g.label(1, 4);
  const QRect first = g.right(1, 4, 40, 32).translated(-48, 0);
  const QRect second = g.right(1, 4, 40, 32);
  add("CONTROL_BLFXStatic", directionLabel);
  add("CONTROL_BLFXLStaPic", first);
  add("CONTROL_BLFXRStaPic", second);
  for (const char* n : {"2", "3"}) {
    add(std::string("CONTROL_BLFXStatic") + n, directionLabel, "CONTROL_BLFXStatic");
    add(std::string("CONTROL_BLFXLStaPic") + n, first, "CONTROL_BLFXLStaPic");
    add(std::string("CONTROL_BLFXRStaPic") + n, second, "CONTROL_BLFXRStaPic");
  }

  // Column 2: the colours of the effects.
  add("CONTROL_HXysStatic", g.label(2, 0));
  add("CONTROL_HXysButton", g.right(2, 0, 64, 24));
  add("CONTROL_HXsjsStatic", g.label(2, 1));
  const QRect hxMulti = g.right(2, 1, 48, 24);
  add("CONTROL_HXsjsStaPic", hxMulti);
  add("CONTROL_FYYSStatic", g.label(2, 2));
  add("CONTROL_FYYSButton", g.right(2, 2, 64, 24));
  add("CONTROL_FYSJSStatic", g.label(2, 3));
  add("CONTROL_FYSJSStaPic", g.right(2, 3, 48, 24));
  struct Choice {
    const char* key;
    const char* file;
    QColor colour;
  };
  const Choice choices[] = {{"CONTROL_HONGPIC", "hong", QColor(229, 72, 77)},
                            {"CONTROL_HUANGPIC", "huang", QColor(245, 200, 66)},
                            {"CONTROL_LVPIC", "lv", QColor(76, 200, 110)},
                            {"CONTROL_LANPIC", "lan", QColor(64, 132, 246)}};
  QSize choiceSize(32, 32);
  for (int i = 0; i < 4; ++i) {
    const QRect rect = g.at(g.column(2) + i * 40, 4, 32, 32);
    add(choices[i].key, rect);
    choiceSize = rect.size();
  }

  // Column 3: the custom colouring: brush colour, base colour, tools, layouts.
  add("CONTROL_USERysStatic", g.label(3, 0));
  add("CONTROL_USERysButton", g.right(3, 0, 64, 24));
  add("CONTROL_USERjsStatic", g.label(3, 1));
  add("CONTROL_USERjsButton", g.right(3, 1, 64, 24));
  add("CONTROL_USERgjStatic", g.label(3, 2));
  const QRect brush = g.right(3, 2, 32, 32).translated(-40, 0);
  const QRect base = g.right(3, 2, 32, 32);
  add("CONTROL_USERgjStaPic1", brush);
  add("CONTROL_USERgjStaPic2", base);
  add("CONTROL_umCombo", g.at(g.column(3), 3, kColumnWidths[3], 28));

  // Column 4: the RGB boxes and the eight swatches.
  add("CONTROL_RGBStatic", g.label(4, 0));
  const char* channels[] = {"COLOR_R", "COLOR_G", "COLOR_B"};
  for (int i = 0; i < 3; ++i) add(channels[i], g.at(g.column(4) + i * 52, 1, 44, 24));
  const QColor swatches[] = {{235, 99, 30}, {255, 0, 0},   {0, 126, 255}, {90, 255, 0},
                             {234, 255, 0}, {255, 192, 0}, {255, 0, 180}, {174, 0, 255}};
  QSize swatchSize;
  for (int i = 0; i < 8; ++i) {
    const QRect rect = g.at(g.column(4) + (i % 4) * 52, 2 + i / 4, 44, 24);
    add("CONTROL_Color" + std::to_string(i + 1), rect);
    swatchSize = rect.size();
  }

  // The pictures, each the size of its control.
  picture("dengup.bmp", [=] { return ToggleSwitchPicture(power.size(), false, false, bg); });
  picture("dengdown.bmp", [=] { return ToggleSwitchPicture(power.size(), true, false, bg); });
  picture("sjsup.bmp", [=] { return ToggleSwitchPicture(hxMulti.size(), false, true, bg); });
  picture("sjsdown.bmp", [=] { return ToggleSwitchPicture(hxMulti.size(), true, true, bg); });
  for (int level = 0; level < 6; ++level) {
    picture(std::to_string(level) + ".bmp",
            [=] { return SliderPicture(light.size(), level, SliderKind::kBrightness, bg); });
    picture(std::to_string(level + 6) + ".bmp",
            [=] { return SliderPicture(speed.size(), level, SliderKind::kSpeed, bg); });
  }
  struct Tile {
    const char* name;
    Icon glyph;
  };
  const Tile tiles[] = {{"left", Icon::kArrowLeft},
                        {"right", Icon::kArrowRight},
                        {"up", Icon::kArrowUp},
                        {"down", Icon::kArrowDown}};
  for (const Tile& tile : tiles) {
    const Icon glyph = tile.glyph;
    picture(std::string(tile.name) + "up.bmp",
            [=] { return TilePicture(first.size(), glyph, false, bg); });
    picture(std::string(tile.name) + "down.bmp",
            [=] { return TilePicture(first.size(), glyph, true, bg); });
  }
  picture("kuosan.bmp", [=] { return TilePicture(first.size(), Icon::kSpread, false, bg); });
  picture("kuosandown.bmp", [=] { return TilePicture(first.size(), Icon::kSpread, true, bg); });
  picture("julong.bmp", [=] { return TilePicture(first.size(), Icon::kGather, false, bg); });
  picture("julongdown.bmp", [=] { return TilePicture(first.size(), Icon::kGather, true, bg); });
  for (const Choice& choice : choices) {
    const QColor colour = choice.colour;
    picture(std::string(choice.file) + ".bmp",
            [=] { return ColourChoicePicture(choiceSize, colour, false, bg); });
    picture(std::string(choice.file) + "ok.bmp",
            [=] { return ColourChoicePicture(choiceSize, colour, true, bg); });
  }
  picture("user1up.bmp", [=] { return TilePicture(brush.size(), Icon::kBrush, false, bg); });
  picture("user1down.bmp", [=] { return TilePicture(brush.size(), Icon::kBrush, true, bg); });
  picture("user2up.bmp", [=] { return TilePicture(base.size(), Icon::kBucket, false, bg); });
  picture("user2down.bmp", [=] { return TilePicture(base.size(), Icon::kBucket, true, bg); });
  for (int i = 0; i < 8; ++i) {
    const QColor colour = swatches[i];
    picture("Color" + std::to_string(i + 1) + ".bmp",
            [=] { return SwatchPicture(swatchSize, colour, bg); });
  }
  constexpr int kSpinnerFrames = 10;
  for (int i = 0; i < kSpinnerFrames; ++i)
    picture("jdt" + std::to_string(i + 1) + ".bmp",
            [=] { return SpinnerPicture(busy.size(), i, kSpinnerFrames, bg); });

  // Framing: the surface, hairlines between the columns and the report
  // rate's groove. Nothing else, so the panel still looks whole when the
  // lighting is off and only column 0's switch and report rate remain.
  part.chrome = [area, reportTrack, rateSegments, g](QPainter& p) {
    PaintSurface(p, area);
    for (int c = 1; c < kColumnCount; ++c) {
      const int x = g.column(c) - kColumnGap / 2;
      PaintDivider(p, QPoint(x, area.top() + 20), QPoint(x, area.bottom() - 20));
    }
    PaintTrack(p, reportTrack);
    PaintSegmentGaps(p, rateSegments);
  };
  return part;
}

}  // namespace skingen

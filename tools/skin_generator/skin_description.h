// The description every output is made from: for each window its size, the
// controls with their rectangles and how their faces look, the state images
// and the separate pictures. The INI files and the pictures are both written
// from this, so a rectangle and the face drawn at it cannot drift apart.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skingen {

// The looks a face is drawn in.
enum class Look { kNormal, kHover, kPressed, kSelected, kDisabled };

// What one state image shows at one control: its look and a control-specific
// variant (the second bank, the active tab, the page a backdrop frames, ...).
struct Face {
  Look look = Look::kNormal;
  int variant = 0;
};

// Draws a face into `box`, the control's rectangle moved one pixel up and
// left: the program cuts a button's picture from there. Drawing is clipped to
// the box; the box's outermost pixel ring is left as background so the
// pixels outside a button never change between states.
using FacePainter = std::function<void(QPainter&, const QRect& box, const Face&)>;

struct Control {
  std::string key;
  QRect rect;
  // Empty for controls the program draws itself (labels, lists, edits) and
  // for picture controls, whose pictures are separate files.
  FacePainter face;
  // The dialog page the control belongs to; -1 for controls on every page.
  int page = -1;
  // Set for the variants of one control that may share a rectangle.
  std::string sharesWith;
};

// A full-window state image: which face each control shows in it; no value
// leaves the control's area as background.
struct StateImage {
  std::string file;
  std::function<std::optional<Face>(const Control&)> faceOf;
};

// A picture of its own (.bmp or .jpg), drawn on demand.
struct Picture {
  std::string file;
  std::function<QImage()> draw;
};

// A position written like a rectangle into section "BUTTONINFO2": a place
// in the window, or a part of one of the window's pictures.
struct Position {
  std::string key;
  QRect rect;
  std::string picture;  // empty: the rectangle is in window coordinates
};

struct Window {
  std::string iniFile;
  QSize size;
  std::string background;  // the "Main=" image
  std::string mask;
  std::string link;  // the brand link's address, main window only
  // Everything that is the same in all state images.
  std::function<void(QPainter&)> paintChrome;
  std::vector<Control> controls;
  std::vector<Position> positions;
  std::vector<StateImage> images;
  std::vector<Picture> pictures;
};

// Face variants shared by several windows.
inline constexpr int kVariantFirst = 0;
inline constexpr int kVariantSecond = 1;

}  // namespace skingen

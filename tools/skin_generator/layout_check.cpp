#include "tools/skin_generator/layout_check.h"

#include <set>

namespace skingen {
namespace {

std::string Describe(const std::string& key, const QRect& r) {
  return key + " (" + std::to_string(r.left()) + "," + std::to_string(r.top()) + "," +
         std::to_string(r.width()) + "," + std::to_string(r.height()) + ")";
}

bool Inside(const QRect& r, QSize window) {
  return r.width() > 0 && r.height() > 0 && r.left() >= 2 && r.top() >= 2 &&
         r.left() + r.width() <= window.width() - 2 && r.top() + r.height() <= window.height() - 2;
}

bool MayOverlap(const Control& a, const Control& b) {
  if (!a.sharesWith.empty() && (a.sharesWith == b.key || a.sharesWith == b.sharesWith)) return true;
  if (!b.sharesWith.empty() && b.sharesWith == a.key) return true;
  if (a.page >= 0 && b.page >= 0 && a.page != b.page) return true;
  if (a.page >= 0 && b.key == kPageBackdrop && b.rect.contains(a.rect)) return true;
  if (b.page >= 0 && a.key == kPageBackdrop && a.rect.contains(b.rect)) return true;
  return false;
}

}  // namespace

std::vector<std::string> LayoutProblems(const Window& window) {
  std::vector<std::string> problems;
  const std::string where = window.iniFile + ": ";
  std::set<std::string> keys;
  const Control* backdrop = nullptr;
  for (const Control& c : window.controls) {
    if (!keys.insert(c.key).second) problems.push_back(where + "duplicate key " + c.key);
    if (!Inside(c.rect, window.size))
      problems.push_back(where + Describe(c.key, c.rect) + " is not inside the window");
    if (c.key == kPageBackdrop) backdrop = &c;
  }
  for (const Control& c : window.controls) {
    if (c.page < 0) continue;
    if (backdrop == nullptr || !backdrop->rect.contains(c.rect))
      problems.push_back(where + Describe(c.key, c.rect) + " lies outside the page backdrop");
  }
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    for (std::size_t j = i + 1; j < window.controls.size(); ++j) {
      const Control& a = window.controls[i];
      const Control& b = window.controls[j];
      if (a.rect.intersects(b.rect) && !MayOverlap(a, b))
        problems.push_back(where + Describe(a.key, a.rect) + " overlaps " +
                           Describe(b.key, b.rect));
    }
  }
  for (std::size_t i = 0; i < window.positions.size(); ++i) {
    const Position& position = window.positions[i];
    if (!keys.insert(position.key).second)
      problems.push_back(where + "duplicate key " + position.key);
    // Parts of a picture are checked against the picture when it is drawn.
    if (!position.picture.empty()) continue;
    if (!Inside(position.rect, window.size))
      problems.push_back(where + Describe(position.key, position.rect) +
                         " is not inside the window");
    for (const Control& c : window.controls)
      if (position.rect.intersects(c.rect))
        problems.push_back(where + Describe(position.key, position.rect) + " overlaps " +
                           Describe(c.key, c.rect));
    for (std::size_t j = i + 1; j < window.positions.size(); ++j)
      if (window.positions[j].picture.empty() && position.rect.intersects(window.positions[j].rect))
        problems.push_back(where + Describe(position.key, position.rect) + " overlaps " +
                           window.positions[j].key);
  }
  return problems;
}

}  // namespace skingen

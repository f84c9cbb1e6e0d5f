// What the per-key colour code needs from the on-screen keyboard: switching a
// button's frame mode on with a colour (how key colours show) and off again.
// The default implementations draw nothing, for callers without buttons.
#pragma once

#include <map>

#include "lighting/lighting_record.h"

namespace lighting {

class KeyView {
 public:
  virtual ~KeyView() = default;
  // Frame mode on: the button is drawn as an outline in `colour`.
  virtual void ShowFrame(int /*controlId*/, Colour /*colour*/) {}
  // Frame mode off with colour 0, and the button not pressed in.
  virtual void ClearFrame(int /*controlId*/) {}
};

// Keeps what a view would show: the frame colour of every button whose frame
// mode is on, and how many calls arrived.
class KeyViewRecorder : public KeyView {
 public:
  void ShowFrame(int controlId, Colour colour) override {
    frames[controlId] = colour;
    ++calls;
  }
  void ClearFrame(int controlId) override {
    frames.erase(controlId);
    ++calls;
  }

  std::map<int, Colour> frames;
  int calls = 0;
};

}  // namespace lighting

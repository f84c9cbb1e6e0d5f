// The skinned windows' costs: the window shape from the main window's mask
// (once per opening), one key button's paint (a rectangle copy), and a
// repaint of the whole keyboard, all against the generated skin on Qt's
// offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/button_table.h"
#include "model/key_codes.h"
#include "skin/base_dialog.h"
#include "skin/png_button.h"
#include "skin/skin_images.h"
#include "skin/skin_layout.h"
#include "skin/skin_placement.h"

namespace {

const std::string kSkins = std::string(QUORVANE_PROGRAM_DIR) + "/Skins/";

struct Keyboard {
  Keyboard() : window(102, nullptr, kSkins + "Main.ini", kSkins) {
    window.Initialise();
    for (const char* name :
         {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg"})
      images.push_back(skin::LoadSkinPicture(kSkins + name));
    for (const auto& row : model::KeyButtons()) {
      const std::string key = skin::KeyButtonSkinKey(model::SlotOfCode(row.code));
      auto* button = new skin::CPngButton(&window);
      skin::PlaceImageButton(button, kSkins + "Main.ini", "BUTTONINFO", key, &images[0], &images[1],
                             &images[2], &images[0], &images[3]);
      buttons.push_back(button);
    }
  }
  skin::CBaseDialog window;
  std::vector<QPixmap> images;
  std::vector<skin::CPngButton*> buttons;
};

Keyboard& TheKeyboard() {
  static Keyboard keyboard;
  return keyboard;
}

void BM_ShapeFromMainMask(benchmark::State& state) {
  const QImage mask(QString::fromStdString(kSkins + "main_mask.bmp"));
  for (auto _ : state) benchmark::DoNotOptimize(skin::CBaseDialog::ShapeFromMask(mask));
  state.SetLabel(std::to_string(mask.width()) + "x" + std::to_string(mask.height()));
}
BENCHMARK(BM_ShapeFromMainMask)->Unit(benchmark::kMicrosecond);

void BM_PaintOneKey(benchmark::State& state) {
  skin::CPngButton* key = TheKeyboard().buttons[40];
  QPixmap target(key->size());
  for (auto _ : state) key->render(&target);
}
BENCHMARK(BM_PaintOneKey)->Unit(benchmark::kMicrosecond);

void BM_PaintWholeKeyboard(benchmark::State& state) {
  Keyboard& keyboard = TheKeyboard();
  QPixmap target(keyboard.window.size());
  for (auto _ : state) keyboard.window.render(&target);
}
BENCHMARK(BM_PaintWholeKeyboard)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The cost of turning a whole configuration into what the keyboard stores and
// back, and of saving and loading the largest profile file.
#include <benchmark/benchmark.h>

#include <string>

#include "model/config_store.h"
#include "model/key_map.h"
#include "model/macro_area.h"
#include "profiles/profile_file.h"
#include "tests/support/sim_process.h"

namespace {

// Every key of three profiles reassigned, and 100 named macros that together
// fill the largest macro area a keyboard can hold (255 × 128 bytes).
struct FullConfiguration {
  model::ProfileImage image;
  model::MacroList macros;
  FullConfiguration() {
    image.ClearAreas();
    for (int area = 0; area < 3; ++area)
      for (int slot = 1; slot < 256; ++slot)
        image.SetTypeExtraValue(area, slot, model::kActionKey, 0, 0x01E + (slot % 26));
    for (int m = 0; m < model::kMaxMacros; ++m) {
      model::MacroRecord macro;
      macro.SetId(static_cast<uint16_t>(m + 1));
      macro.SetName(u"Macro number");
      macro.SetRepeatCount(1);
      std::vector<model::MacroAction> actions;
      for (int a = 0; a < 74; ++a)
        actions.push_back({30, static_cast<model::KeyCode>(0x10 + a % 20), uint16_t(a % 2)});
      macro.SetActions(actions);
      macros.push_back(macro);
    }
  }
};

void BM_EncodeAndDecodeConfiguration(benchmark::State& state) {
  const FullConfiguration config;
  const model::KeyMapBlock& matrix = model::BuiltInDefaultMatrix();
  const model::MacroAreaSize sizes = model::MacroAreaSizes(config.macros);
  if (sizes.withNames > 255 * 128) state.SkipWithError("the macros do not fit");
  std::vector<uint8_t> area(sizes.withNames);
  for (auto _ : state) {
    model::ProfileImage back;
    for (int area_index = 0; area_index < 3; ++area_index) {
      const model::KeyMapBlock block =
          model::EncodeKeyMap(config.image, area_index, matrix, config.macros);
      model::DecodeKeyMap(block, matrix, back, area_index);
    }
    model::BuildMacroArea(config.macros, area, true);
    const model::MacroList decoded = model::DecodeMacroArea(area, u"Macro ");
    benchmark::DoNotOptimize(decoded.data());
  }
  state.counters["area_bytes"] = static_cast<double>(sizes.withNames);
}

// 100 macros of 2000 actions and a 259-character text on every launch key of
// all four areas: the largest file the program reads.
void FillLargestStore(model::ConfigStore& store) {
  auto image = std::make_unique<model::ProfileImage>();
  image->ClearAreas();
  store.SetImage(std::move(image));
  const std::u16string text(259, u'x');
  for (int area = 0; area < model::kAreaCount; ++area)
    for (int entry = 0; entry < model::kEntriesPerArea; ++entry) {
      store.SetAction(area, entry, model::kActionLaunch, 0, 0);
      store.SetText(model::TextSlotOf(area, entry), text);
    }
  model::MacroList macros;
  for (int m = 0; m < model::kMaxMacros; ++m) {
    model::MacroRecord macro;
    macro.SetId(static_cast<uint16_t>(m + 1));
    macro.SetName(std::u16string(249, u'm'));
    macro.SetActions(std::vector<model::MacroAction>(2000, {10, 0x1E, 0}));
    macros.push_back(macro);
  }
  store.ReplaceMacros(macros);
}

void BM_SaveAndLoadLargestProfileFile(benchmark::State& state) {
  testsupport::TempFolder folder;
  const std::string path = folder.path() + "/largest.fwc";
  model::ConfigStore store;
  FillLargestStore(store);
  for (auto _ : state) {
    if (profiles::SaveProfileFile(store, true, path) != 1) state.SkipWithError("save failed");
    std::lock_guard lock(store.mutex());
    store.Empty();
    if (profiles::LoadProfileFile(store, path) != 1) state.SkipWithError("load failed");
  }
  state.counters["file_bytes"] = static_cast<double>(
      profiles::ProfileFileSize(store.MacroCount(), static_cast<uint64_t>(store.TextBytes())));
}

}  // namespace

BENCHMARK(BM_EncodeAndDecodeConfiguration)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveAndLoadLargestProfileFile)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

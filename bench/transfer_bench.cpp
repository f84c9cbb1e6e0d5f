// A full read of the keyboard and an apply of all three profiles against a
// simulator process that takes one USB frame (1 ms) per report, with the
// number of reports each needs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "device/device_service.h"
#include "profiles/profile_file.h"
#include "profiles/profile_transfer.h"
#include "tests/support/real_service.h"
#include "tests/support/recording_window.h"
#include "tests/support/sim_process.h"

namespace {

struct Rig {
  std::unique_ptr<testsupport::SimProcess> sim;
  std::unique_ptr<device::DeviceLink> link;
  model::ConfigStore store;
  model::DefaultMatrix matrix;
  testsupport::RecordingWindow window;
  std::unique_ptr<profiles::ProfileTransfer> transfer;
};
Rig* rig = nullptr;

long ReportsReceived() {
  std::istringstream stats(rig->sim->Control("stats"));
  std::string field;
  stats >> field;  // received=N
  return std::strtol(field.c_str() + field.find('=') + 1, nullptr, 10);
}

// One macro that fills the default 4096-byte macro area exactly, and every
// key of the three profiles reassigned.
void FillStore() {
  std::lock_guard lock(rig->store.mutex());
  rig->store.Empty();
  profiles::CreateEmptyImage(rig->store, "", 0, true);
  for (int area = 0; area < 3; ++area)
    for (int slot = 1; slot < 256; ++slot) rig->store.SetAction(area, slot, 1, 0, 0);
  model::MacroRecord macro;
  macro.SetId(1);
  macro.SetName(u"M");
  macro.SetRepeatCount(1);
  macro.SetActions(std::vector<model::MacroAction>(1018, {10, 0x1E, 0}));
  rig->store.ReplaceMacros({macro});
}

void BM_ApplyAllProfiles(benchmark::State& state) {
  FillStore();
  long reports = 0;
  for (auto _ : state) {
    const long before = ReportsReceived();
    std::lock_guard lock(rig->store.mutex());
    if (rig->transfer->ApplyStoreToDevice(true) != 1) state.SkipWithError("apply failed");
    reports = ReportsReceived() - before;
  }
  // ConfigBegin, 74 packets of macro area, 3 × 7 of key maps, ConfigEnd.
  state.counters["reports"] = static_cast<double>(reports);
  state.counters["minimum_reports"] = 1 + 74 + 21 + 1;
}

void BM_ReadWholeKeyboard(benchmark::State& state) {
  // The keyboard holds a full macro area, whichever benchmark runs first.
  FillStore();
  {
    std::lock_guard lock(rig->store.mutex());
    if (rig->transfer->ApplyStoreToDevice(true) != 1) state.SkipWithError("filling failed");
  }
  const std::string path = testsupport::RealService::Get().folder() + "/read.fwc";
  long reports = 0;
  for (auto _ : state) {
    rig->transfer->ForgetActiveSlot();
    const long before = ReportsReceived();
    if (rig->transfer->ReadDeviceToFile(path) != 1) state.SkipWithError("read failed");
    reports = ReportsReceived() - before;
  }
  // The settings block, 3 × 7 of key maps, the area's header, 74 of area.
  state.counters["reports"] = static_cast<double>(reports);
  state.counters["minimum_reports"] = 1 + 21 + 1 + 74;
}

}  // namespace

BENCHMARK(BM_ApplyAllProfiles)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadWholeKeyboard)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  rig = new Rig();
  testsupport::RealService& service = testsupport::RealService::Get();
  rig->sim = std::make_unique<testsupport::SimProcess>(service.simFolder(), "bench",
                                                       service.folder() + "/bench.state");
  rig->sim->Control("latency 1");
  if (!service.loaded()) return 1;
  rig->link = std::make_unique<device::DeviceLink>(service.api());
  rig->link->StartControlChannel();
  if (!testsupport::WaitUntil([] { return rig->link->DeviceCount() == 1; })) return 1;
  rig->transfer = std::make_unique<profiles::ProfileTransfer>(
      *rig->link, rig->store, rig->matrix, rig->window, service.folder() + "/profiles",
      QUORVANE_PROGRAM_DIR);
  rig->transfer->PresenceHandler(1);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  rig->transfer.reset();
  rig->link.reset();
  rig->sim.reset();
  delete rig;
  return 0;
}

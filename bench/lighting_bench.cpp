// The cost of a full lighting read (settings block, three record pieces, in
// one bracket) against the simulator's firmware model in-process: what the
// program itself spends, without a transport in the way.
#include <benchmark/benchmark.h>

#include "lighting/lighting_control.h"
#include "lighting/lighting_state.h"
#include "sim/sim_keyboard.h"
#include "tests/support/loopback_service.h"

namespace {

void BM_ReadLightingState(benchmark::State& state) {
  sim::SimKeyboard keyboard;
  testsupport::LoopbackService service;
  service.UseKeyboard(&keyboard);
  device::LinkTimings timings;
  timings.configEndPause = std::chrono::milliseconds(0);  // the pause is not the program's work
  device::DeviceLink link(service.Api(), timings);
  link.StartControlChannel();
  lighting::LightingState lightingState;
  lighting::CustomColourHooks hooks;
  lighting::LightingControl control(link, lightingState, "", hooks);
  for (auto _ : state) {
    if (control.Read() != 0) state.SkipWithError("read failed");
  }
}

}  // namespace

BENCHMARK(BM_ReadLightingState)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

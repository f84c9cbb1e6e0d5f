// CPU time of one preview step (the main window runs one every 50 ms).
#include <benchmark/benchmark.h>

#include "lighting/preview_engine.h"

namespace {

void BM_PreviewStep(benchmark::State& state) {
  lighting::PreviewEngine engine(lighting::MakeSeededPreviewRandom(12345));
  lighting::PreviewInput input;
  input.effect = static_cast<int>(state.range(0));
  input.multicolour = state.range(1) != 0;
  input.mainColour = lighting::MakeRgb(255, 128, 0);
  for (auto _ : state) {
    engine.Step(input);
    benchmark::DoNotOptimize(engine.Frame());
  }
}

void PreviewEffects(benchmark::internal::Benchmark* b) {
  b->ArgNames({"effect", "multicolour"});
  for (int effect = 1; effect <= 20; ++effect)
    if (effect != 19) b->Args({effect, 1});
}

BENCHMARK(BM_PreviewStep)->Apply(PreviewEffects);

}  // namespace

BENCHMARK_MAIN();

// Time of one preview tick for every effect code with a rule, in both colour
// modes. The tick runs every 50 ms on the user-interface thread.

#include "core/lighting/preview_engine.h"

#include <benchmark/benchmark.h>

namespace {

void PreviewTick(benchmark::State& bench) {
    kw::LightingState state;
    state.lightingView = true;
    state.effect = static_cast<std::uint8_t>(bench.range(0));
    state.multicolour = bench.range(1) != 0;
    state.colour = 0x40C0FF;
    kw::PreviewEngine engine;
    engine.clearFirstTickFlag();
    for (auto _ : bench) {
        benchmark::DoNotOptimize(engine.PreviewTick(state));
        benchmark::DoNotOptimize(engine.frame().data());
    }
}

void everyEffect(benchmark::internal::Benchmark* b) {
    b->ArgNames({"effect", "multicolour"});
    for (int effect : {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 18, 20}) {
        b->Args({effect, 0});
        b->Args({effect, 1});
    }
}

BENCHMARK(PreviewTick)->Apply(everyEffect);

} // namespace

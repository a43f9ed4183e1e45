// One full text-change cycle per shape and length, through the engine and
// through the row-by-row model side by side; and the companion's line rate.
#include <benchmark/benchmark.h>

#include <sstream>

#include "cli.h"
#ifdef QUORVEL_WITH_LITERAL_MODEL
#include "literal_model.h"
#endif
#include "cycle.h"
#include "shapes.h"

namespace {

using quorvel::WindowModel;

template <class Cycle>
void RunCycle(benchmark::State& state, std::u16string text, Cycle cycle)
{
    WindowModel w;
    w.text1 = std::move(text);
    for (auto _ : state) {
        cycle(w);
        benchmark::DoNotOptimize(w.label1);
    }
    state.SetLabel(w.label1.substr(0, 24));
    state.counters["chars"] = static_cast<double>(w.text1.size());
}

// The same cycle followed by the reading, as the companion's --explain
// and a screen reader ask for it.
void RunReading(benchmark::State& state, std::u16string text)
{
    WindowModel w;
    w.text1 = std::move(text);
    for (auto _ : state) {
        quorvel::Text1_Change(w);
        benchmark::DoNotOptimize(quorvel::ReadText1(w));
    }
}

void CompanionLines(benchmark::State& state)
{
    // About 20 tokens a line.
    const char* lines[] = {"2*(x+1)/sin(y)+3^2-4\\3+_5*(1+2)", "1+2+3+4+5+6+7+8+9+10", "sqr(16)*abs(_3)+int(2.5)-fix(_2.5)",
                           "(1+2)*(3+4)/(5-6)^2", "a+b*c-d/e+f"};
    std::string input;
    const int count = 10000;
    for (int k = 0; k < count; ++k) input += std::string(lines[k % 5]) + "\n";
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out, err;
        benchmark::DoNotOptimize(quorvel::cli::Run({"-"}, in, out, err));
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(CompanionLines)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (const auto& shape : quorvel::bench::Shapes()) {
        for (size_t length : quorvel::bench::kLengths) {
            const std::string suffix = std::string(shape.name) + "/" + std::to_string(length);
            benchmark::RegisterBenchmark(("engine/" + suffix).c_str(), RunCycle<void (*)(WindowModel&)>, shape.make(length),
                                         [](WindowModel& w) { quorvel::Text1_Change(w); })
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("reading/" + suffix).c_str(), RunReading, shape.make(length))
                ->Unit(benchmark::kMillisecond);
#ifdef QUORVEL_WITH_LITERAL_MODEL
            benchmark::RegisterBenchmark(("literal/" + suffix).c_str(), RunCycle<void (*)(WindowModel&)>,
                                         shape.make(length), [](WindowModel& w) { quorvel::literal::Text1_Change(w); })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(length > 16384 ? 1 : 2);
#endif
        }
    }
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
